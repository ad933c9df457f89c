// Helpers shared by the zip reader's tests: archives made in memory with
// our writer, a handle that closes itself, and a look at what landed on
// disk.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "install/zip_reader.h"
#include "zip_writer.h"

namespace vostra::test {

using ziptool::WriterEntry;

inline WriterEntry MakeEntry(const std::string& name, const std::string& data,
                             uint16_t method = 8) {
    WriterEntry e;
    e.name = name;
    e.data = data;
    e.method = method;
    return e;
}

// An open archive over bytes it keeps alive; closed when it goes.
class OpenZip {
public:
    explicit OpenZip(std::string bytes) : bytes_(std::move(bytes)) {
        handle_ = OpenZipFromMemory(bytes_.data(), bytes_.size());
    }
    ~OpenZip() {
        if (handle_) CloseZip(handle_);
    }
    OpenZip(const OpenZip&) = delete;
    OpenZip& operator=(const OpenZip&) = delete;

    HZIP get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

    int Count() const {
        ZipEntryInfo ze;
        GetZipEntry(handle_, -1, ze);
        return ze.index;
    }
    ZipEntryInfo Info(int index, ZipResult expected = kZipOk) const {
        ZipEntryInfo ze;
        EXPECT_EQ(GetZipEntry(handle_, index, ze), expected) << "entry " << index;
        return ze;
    }

private:
    std::string bytes_;
    HZIP handle_ = nullptr;
};

// Every path below dir, relative to it ("a", "a/b.txt").
inline std::set<std::string> ListTree(const std::string& dir) {
    std::set<std::string> out;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(dir, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        out.insert(std::filesystem::relative(it->path(), dir).string());
    }
    return out;
}

inline std::string ReadFileOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline unsigned ModeOf(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

}  // namespace vostra::test
