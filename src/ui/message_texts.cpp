#include "ui/message_texts.h"

#include "app/resource_strings.h"
#include "app/uninstall.h"

namespace vostra::ui {

Question UninstallQuestion() { return {kUninstallTitle, vostra::UninstallQuestion()}; }

Question NewServerQuestion() {
    return {"选服", "您是否退出当前服务器，重新选择新服务器？"};
}

Question ExitQuestion() {
    return {"关闭提示", "是否退出" + LoadResString(IDS_PRODUCT_TITLE) + "？"};
}

}  // namespace vostra::ui
