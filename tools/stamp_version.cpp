// stamp-version: copies a launcher executable and gives the copy another
// version record. Only the record section's bytes change; the copy keeps the
// source's mode.
//
//   stamp-version [options] INPUT OUTPUT
//     --version V         FileVersion for every translation without its own
//     --translation LLLLCCCC[=V]
//                         a translation (hex language and code page) and,
//                         optionally, its own FileVersion; repeatable;
//                         default 080403a8
//     --raw-translation H the translation list as raw hex bytes (no strings
//                         are added for it)
//     --no-record         wipe the record: the copy has no version
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/file_version.h"

namespace {

int Usage() {
    fprintf(stderr,
            "usage: stamp-version [--version V] [--translation LLLLCCCC[=V]]... "
            "[--raw-translation HEX] [--no-record] INPUT OUTPUT\n");
    return 2;
}

bool ParseHex(const std::string& hex, std::string& bytes) {
    if (hex.size() % 2 != 0) return false;
    for (size_t i = 0; i < hex.size(); i += 2) {
        char* end = nullptr;
        const std::string pair = hex.substr(i, 2);
        const long v = strtol(pair.c_str(), &end, 16);
        if (*end != '\0') return false;
        bytes += static_cast<char>(v);
    }
    return true;
}

bool CopyFile(const char* from, const char* to) {
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    if (!in || !out) return false;
    out << in.rdbuf();
    out.close();
    struct stat st {};
    return out.good() && stat(from, &st) == 0 && chmod(to, st.st_mode & 07777) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string version = "1.0.0.0";
    std::vector<std::pair<std::string, std::string>> translations;  // hex, version
    std::string raw;
    bool have_raw = false, wipe = false;
    std::vector<const char*> files;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--version" && i + 1 < argc) {
            version = argv[++i];
        } else if (a == "--translation" && i + 1 < argc) {
            const std::string t = argv[++i];
            const size_t eq = t.find('=');
            translations.emplace_back(t.substr(0, eq), eq == std::string::npos ? "" : t.substr(eq + 1));
            if (translations.back().first.size() != 8) return Usage();
        } else if (a == "--raw-translation" && i + 1 < argc) {
            if (!ParseHex(argv[++i], raw)) return Usage();
            have_raw = true;
        } else if (a == "--no-record") {
            wipe = true;
        } else if (!a.empty() && a[0] == '-') {
            return Usage();
        } else {
            files.push_back(argv[i]);
        }
    }
    if (files.size() != 2) return Usage();
    if (translations.empty()) translations.emplace_back("080403a8", "");

    vostra::VersionRecord record;
    if (!wipe) {
        for (const auto& [hex, own] : translations) {
            const unsigned long v = strtoul(hex.c_str(), nullptr, 16);
            const auto language = static_cast<uint16_t>(v >> 16);
            const auto code_page = static_cast<uint16_t>(v & 0xFFFF);
            const char le[4] = {static_cast<char>(language & 0xFF), static_cast<char>(language >> 8),
                                static_cast<char>(code_page & 0xFF), static_cast<char>(code_page >> 8)};
            record.translation.append(le, 4);
            record.strings.emplace_back(vostra::FileVersionKey(language, code_page),
                                        own.empty() ? version : own);
        }
        if (have_raw) record.translation = raw;
    }

    if (!CopyFile(files[0], files[1])) {
        fprintf(stderr, "stamp-version: cannot copy %s to %s\n", files[0], files[1]);
        return 1;
    }
    bool ok;
    if (wipe) {
        ok = vostra::WipeVersionRecord(files[1]);
    } else {
        ok = vostra::WriteVersionRecord(files[1], record);
    }
    if (!ok) {
        fprintf(stderr, "stamp-version: %s has no version record section to stamp\n", files[1]);
        remove(files[1]);
        return 1;
    }
    return 0;
}
