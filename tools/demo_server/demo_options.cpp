#include "demo_options.h"

#include <cstdlib>
#include <cstring>
#include <map>

namespace vostra::demo {
namespace {

const std::map<std::string, Fault>& FaultNames() {
    static const std::map<std::string, Fault> names = {
        {"version-404", Fault::kVersion404},
        {"version-stall", Fault::kVersionStall},
        {"version-trailing-line-end", Fault::kVersionTrailingLineEnd},
        {"version-long", Fault::kVersionLong},
        {"version-redirect", Fault::kVersionRedirect},
        {"version-echo-user-agent", Fault::kVersionEchoUserAgent},
        {"download-404", Fault::kDownload404},
        {"download-no-length", Fault::kDownloadNoLength},
        {"download-cut", Fault::kDownloadCut},
        {"download-stall", Fault::kDownloadStall},
        {"unreachable", Fault::kUnreachable},
        {"login-tall", Fault::kLoginTall},
    };
    return names;
}

bool ParsePort(const std::string& text, int& port) {
    char* end = nullptr;
    const long value = strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 0 || value > 65535) return false;
    port = static_cast<int>(value);
    return true;
}

bool ParseRate(const std::string& text, int64_t& rate) {
    char* end = nullptr;
    const long long value = strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 0) return false;
    rate = value;
    return true;
}

}  // namespace

std::string DemoUsage() {
    std::string text =
        "usage: vostra-demo-server [--host ADDR] [--port N] [--client FILE]\n"
        "                          [--client-rate BYTES_PER_SECOND]\n"
        "                          [--reply TEXT] [--fault NAME]...\n"
        "                          [--auto-login ACCOUNT] [--login-stamp FILE]\n"
        "  --port 0 takes any free port; the first line printed names it.\n"
        "  --client publishes FILE as the newest client (its FileVersion decides).\n"
        "  --client-rate (or --publish-rate) slows its download; 0: full speed.\n"
        "  --reply answers every version query with TEXT.\n"
        "  --auto-login makes the login page log in as ACCOUNT by itself.\n"
        "  --login-stamp writes the monotonic time of each login to FILE.\n"
        "  faults:";
    for (const auto& [name, fault] : FaultNames()) text += " " + name;
    return text + "\n";
}

bool ParseDemoOptions(int argc, char** argv, DemoOptions& out, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string opt = argv[i];
        if (i + 1 >= argc) {
            error = "missing value after " + opt;
            return false;
        }
        const std::string value = argv[++i];
        if (opt == "--host") {
            out.host = value;
        } else if (opt == "--port") {
            if (!ParsePort(value, out.port)) {
                error = "bad port: " + value;
                return false;
            }
        } else if (opt == "--client") {
            out.client_path = value;
        } else if (opt == "--client-rate" || opt == "--publish-rate") {
            if (!ParseRate(value, out.client_rate)) {
                error = "bad rate: " + value;
                return false;
            }
        } else if (opt == "--reply") {
            out.fixed_reply = value;
        } else if (opt == "--auto-login") {
            out.auto_login = value;
        } else if (opt == "--login-stamp") {
            out.login_stamp = value;
        } else if (opt == "--fault") {
            const auto it = FaultNames().find(value);
            if (it == FaultNames().end()) {
                error = "unknown fault: " + value;
                return false;
            }
            out.faults.insert(it->second);
        } else {
            error = "unknown option: " + opt;
            return false;
        }
    }
    return true;
}

}  // namespace vostra::demo
