// Shared fixture of the self-update tests: a sandboxed home, the demo
// server, the update log read back as messages, and an update context whose
// process start and exit are recorded instead of carried out.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "demo_server_process.h"
#include "platform/text_utf.h"
#include "support/sandbox.h"
#include "update/update_context.h"

namespace vostra::test {

struct RecordedStart {
    std::string app_path;
    std::string cmd_line;
};

class UpdateTest : public Sandbox {
protected:
    void SetUp() override {
        Sandbox::SetUp();
        std::filesystem::create_directories(DataFolder() + "res");
    }

    void TearDown() override {
        server_.Stop();
        unsetenv("VOSTRA_OPERATOR_URL");
        Sandbox::TearDown();
    }

    // Starts the demo server and points the version service at it.
    void StartServer(const std::vector<std::string>& options) {
        ASSERT_TRUE(server_.Start(options));
        SetEnv("VOSTRA_OPERATOR_URL", server_.url());
    }

    // A published client: a copy of the launcher stamped with `version`.
    std::string PublishLauncher(const std::string& version) {
        const std::string path = Root() + "/publish/vostra-launcher";
        std::filesystem::create_directories(Root() + "/publish");
        const std::string cmd = std::string(VOSTRA_STAMP_BIN) + " --version " + version + " " +
                                VOSTRA_LAUNCHER_BIN + " " + path;
        EXPECT_EQ(system(cmd.c_str()), 0);
        return path;
    }

    // The context of an in-process run: the launcher binary (FileVersion
    // 1.0.0.0) as the running executable, a short stall limit, and a
    // recorded start and exit.
    UpdateContext TestContext() {
        UpdateContext ctx;
        ctx.app_data_folder = DataHome();
        ctx.own_path = VOSTRA_LAUNCHER_BIN;
        ctx.http = CreateHttpClient();
        ctx.stall_timeout_ms = 1500;
        ctx.start_process = [this](const std::string& app, const std::string& cmd) {
            starts_.push_back({app, cmd});
            return start_result_;
        };
        ctx.end_process = [this] { ++ends_; };
        return ctx;
    }

    std::string DataFolder() const { return DataHome() + "/orbix/vstr/"; }
    std::string CacheFolder() const { return DataHome() + "/cache"; }
    std::string DownloadPath() const { return CacheFolder() + "/kxvstrtmp.exe"; }
    std::string LogPath() const { return DataFolder() + "res/update.log"; }
    std::string QueryUrl(const std::string& version) const {
        return server_.url() + "/getClientVersion.php?p=orbix&g=vstr&v=" + version;
    }
    std::string ClientUrl() const { return server_.url() + "/download/vstr/kxvstr.exe"; }

    // The messages of the log, in order, each checked against the line
    // format. A message holding a line end of its own spans several lines;
    // it is put back together.
    std::vector<std::string> LogMessages() const {
        const std::string raw = ReadFile(LogPath());
        std::u16string units;
        for (size_t i = 0; i + 1 < raw.size(); i += 2) {
            units += static_cast<char16_t>(static_cast<unsigned char>(raw[i]) |
                                           (static_cast<unsigned char>(raw[i + 1]) << 8));
        }
        const std::string text = Utf16ToUtf8(units);
        static const std::regex stamp(
            R"(^\d{4}-[ 1]\d-[ 123]\d [ 12]\d:[ 1-5]\d:[ 1-5]\d : \tUpdateModule\t)");
        std::vector<std::string> messages;
        size_t pos = 0;
        while (pos < text.size()) {
            size_t end = text.find("\r\n", pos);
            if (end == std::string::npos) end = text.size();
            const std::string line = text.substr(pos, end - pos);
            std::smatch m;
            if (std::regex_search(line, m, stamp)) {
                messages.push_back(line.substr(m.length()));
            } else if (!messages.empty()) {
                messages.back() += "\r\n" + line;
            } else {
                ADD_FAILURE() << "log line without its stamp: " << line;
            }
            pos = end + 2;
        }
        return messages;
    }

    static bool IsExecutable(const std::string& path) {
        struct stat st {};
        return stat(path.c_str(), &st) == 0 && (st.st_mode & S_IXUSR) != 0;
    }

    DemoServerProcess server_;
    std::vector<RecordedStart> starts_;
    bool start_result_ = true;
    int ends_ = 0;
};

}  // namespace vostra::test
