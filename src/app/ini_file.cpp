#include "app/ini_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/file_replace.h"

namespace vostra {
namespace {

constexpr size_t kMaxLineBytes = 64 * 1024;
constexpr size_t kMaxWritableFile = 64u * 1024 * 1024;
constexpr std::string_view kBom = "\xEF\xBB\xBF";

using FilePtr = std::unique_ptr<FILE, int (*)(FILE*)>;

// Settings live in a regular file; a device or pipe in its place (say a
// link to /dev/zero) would never end, so it reads as no file at all.
bool IsRegularFile(FILE* f) {
    struct stat st {};
    return fstat(fileno(f), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// What one line of the file is.
struct ParsedLine {
    enum Kind { kOther, kSection, kKey } kind = kOther;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // key value, trimmed, quotes dropped
};

ParsedLine ParseLine(std::string_view line) {
    ParsedLine p;
    const std::string_view t = Trim(line);
    if (!t.empty() && t.front() == '[') {
        const size_t close = t.find(']');
        if (close != std::string_view::npos) {
            p.kind = ParsedLine::kSection;
            p.name = Trim(t.substr(1, close - 1));
        }
        return p;
    }
    const size_t eq = t.find('=');
    if (eq == std::string_view::npos) return p;
    p.kind = ParsedLine::kKey;
    p.name = Trim(t.substr(0, eq));
    std::string_view v = Trim(t.substr(eq + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    p.value = v;
    return p;
}

// Reads lines ending in CR LF, LF or CR; each line is capped at
// kMaxLineBytes (the rest of an over-long line is skipped).
class LineReader {
public:
    explicit LineReader(FILE* f) : f_(f) {}

    bool Next(std::string& line) {
        line.clear();
        int c = getc(f_);
        if (c == EOF) return false;
        while (c != EOF && c != '\n' && c != '\r') {
            if (line.size() < kMaxLineBytes) line += static_cast<char>(c);
            c = getc(f_);
        }
        if (c == '\r') {
            const int next = getc(f_);
            if (next != '\n' && next != EOF) ungetc(next, f_);
        }
        return true;
    }

private:
    FILE* f_;
};

// Splits a whole file into lines (CR LF, LF, CR), without the ends.
std::vector<std::string> SplitLines(std::string_view data) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < data.size(); ++i) {
        if (data[i] == '\n' || data[i] == '\r') {
            lines.emplace_back(data.substr(start, i - start));
            if (data[i] == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < data.size()) lines.emplace_back(data.substr(start));
    return lines;
}

// Reads a whole file for rewriting; "" for a missing file. False when it
// exists but cannot be read or is too large to rewrite.
bool ReadForRewrite(const std::string& path, std::string& data) {
    FilePtr f(fopen(path.c_str(), "rb"), fclose);
    if (!f) return errno == ENOENT;
    if (!IsRegularFile(f.get())) return false;
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f.get())) > 0) {
        data.append(buf, n);
        if (data.size() > kMaxWritableFile) return false;
    }
    return !ferror(f.get());
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

std::optional<std::string> IniReadValue(const std::string& path, std::string_view section,
                                        std::string_view key) {
    FilePtr f(fopen(path.c_str(), "rb"), fclose);
    if (!f || !IsRegularFile(f.get())) return std::nullopt;
    LineReader reader(f.get());
    std::string line;
    bool first = true;
    bool in_section = false;
    while (reader.Next(line)) {
        std::string_view text = line;
        if (first && text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());
        first = false;
        const ParsedLine p = ParseLine(text);
        if (p.kind == ParsedLine::kSection) {
            // Only the first section of that name is searched.
            if (in_section) return std::nullopt;
            in_section = SameName(p.name, section);
        } else if (p.kind == ParsedLine::kKey && in_section && SameName(p.name, key)) {
            std::string_view v = p.value;
            if (const size_t nul = v.find('\0'); nul != std::string_view::npos) v = v.substr(0, nul);
            return std::string(v);
        }
    }
    return std::nullopt;
}

bool IniWriteValue(const std::string& path, std::string_view section, std::string_view key,
                   std::string_view value) {
    if (HasLineBreak(section) || HasLineBreak(key)) return false;
    if (section.find_first_of("[]") != std::string_view::npos) return false;
    if (key.find('=') != std::string_view::npos) return false;
    if (const size_t cut = value.find_first_of("\r\n"); cut != std::string_view::npos) {
        value = value.substr(0, cut);
    }
    section = Trim(section);
    key = Trim(key);

    std::string data;
    if (!ReadForRewrite(path, data)) return false;
    std::string bom;
    if (data.compare(0, kBom.size(), kBom) == 0) {
        bom = kBom;
        data.erase(0, kBom.size());
    }
    std::vector<std::string> lines = SplitLines(data);

    // Locate the first section of that name and, within it, the first key.
    long section_at = -1, last_content = -1, key_at = -1;
    for (size_t i = 0; i < lines.size(); ++i) {
        const ParsedLine p = ParseLine(lines[i]);
        if (p.kind == ParsedLine::kSection) {
            if (section_at >= 0) break;
            if (SameName(p.name, section)) section_at = last_content = static_cast<long>(i);
            continue;
        }
        if (section_at < 0) continue;
        if (!Trim(lines[i]).empty()) last_content = static_cast<long>(i);
        if (p.kind == ParsedLine::kKey && SameName(p.name, key)) {
            key_at = static_cast<long>(i);
            break;
        }
    }

    if (key_at >= 0) {
        const std::string name(ParseLine(lines[key_at]).name);
        lines[key_at] = name + "=" + std::string(value);
    } else if (section_at >= 0) {
        lines.insert(lines.begin() + last_content + 1, std::string(key) + "=" + std::string(value));
    } else {
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(std::string(key) + "=" + std::string(value));
    }

    std::string out = bom;
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    // A settings file that is a link is updated where it points, keeping
    // the link.
    char resolved[PATH_MAX];
    const std::string target = realpath(path.c_str(), resolved) ? resolved : path;
    return WriteFileAtomically(target, out) == 0;
}

}  // namespace vostra
