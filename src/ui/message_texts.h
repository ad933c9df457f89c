// The questions the launcher asks through the message box, with their
// titles, formatted from the string table. Portable: no GTK here.
#pragma once

#include <string>

namespace vostra::ui {

struct Question {
    std::string title;
    std::string message;
};

// Uninstall, stage 1: "卸载" / "您是否确认卸载《Vostra》？".
Question UninstallQuestion();
// The new-server button: "选服" / "您是否退出当前服务器，重新选择新服务器？".
Question NewServerQuestion();
// Every exit of the launcher, login window and login popup:
// "关闭提示" / "是否退出Vostra登录器？".
Question ExitQuestion();

}  // namespace vostra::ui
