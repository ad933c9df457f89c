#include "install/zip_reader.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <set>

#include "install/zip_archive.h"
#include "install/zip_entry_fields.h"
#include "install/zip_entry_stream.h"
#include "install/zip_output.h"

namespace vostra {

// The reader behind a handle.
struct ZipReader {
    std::unique_ptr<zip::Archive> archive;
    ZipEntryInfo cached;
    int cached_index = -1;
    ZipResult cached_result = kZipOk;
    const char* password = nullptr;  // this program never sets one
    std::unique_ptr<std::array<uint8_t, zip::kZipBufferSize>> output;
    std::string base_dir;
};

struct ZipHandle {
    int kind = 0;
    std::unique_ptr<ZipReader> reader;
};

namespace {

constexpr int kReaderKind = 1;
std::atomic<ZipResult> g_lastZipResult{kZipOk};

ZipResult Remember(ZipResult result) {
    g_lastZipResult = result;
    return result;
}

// The handles that are open now. A handle is looked up here before it is
// touched, so a closed, foreign or made-up pointer is refused rather than
// read through.
std::mutex g_liveLock;
std::set<HZIP> g_liveHandles;

bool IsLive(HZIP handle) {
    std::lock_guard<std::mutex> lock(g_liveLock);
    return g_liveHandles.count(handle) != 0;
}

ZipResult CheckHandle(HZIP handle) {
    if (handle == nullptr) return kZipBadArgument;
    if (!IsLive(handle) || handle->kind != kReaderKind || !handle->reader) return kZipNotReader;
    return kZipOk;
}

std::string CurrentDirectory() {
    std::string dir(4096, '\0');
    if (getcwd(dir.data(), dir.size()) == nullptr) return "./";
    dir.resize(dir.find('\0'));
    return dir.back() == '/' ? dir : dir + "/";
}

std::string WithSlashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// Fills ze for the archive's current entry, checking its local header.
ZipResult DescribeCurrentEntry(zip::Archive& archive, int index, ZipEntryInfo& ze) {
    zip::LocalHeader local;
    if (const ZipResult r = archive.CheckLocalHeader(local); r != kZipOk) return r;
    const zip::CentralEntry& e = archive.Current();
    ze = ZipEntryInfo{};
    ze.index = index;
    ze.name = zip::CleanEntryName(zip::DecodeEntryName(e.raw_name));
    ze.attr = zip::AttributesFromHost(e.version_made_by, e.external_attributes);
    zip::EntryTimes times;
    times.last_write = zip::DosTimeToFileTime(e.dos_date, e.dos_time);
    times.last_access = times.creation = times.last_write;
    zip::ApplyExtendedTimestamp(local.extra, local.extra_length, times);
    ze.atime = times.last_access;
    ze.ctime = times.creation;
    ze.mtime = times.last_write;
    ze.comp_size = e.compressed_size;
    ze.unc_size = e.uncompressed_size;
    return zip::ClimbsOutOfBase(ze.name) ? kZipUnsafeName : kZipOk;
}

ZipResult EntryInfo(ZipReader& reader, int index, ZipEntryInfo& ze) {
    const uint32_t count = reader.archive->EntryCount();
    if (index < -1 || (index >= 0 && static_cast<uint32_t>(index) >= count)) {
        return kZipBadArgument;
    }
    if (index == -1) {
        ze = ZipEntryInfo{};
        ze.index = static_cast<int>(count);
        return kZipOk;
    }
    if (index == reader.cached_index) {
        ze = reader.cached;
        return reader.cached_result;
    }
    // An entry at or behind an unreadable central header cannot be reached.
    if (!reader.archive->GoTo(static_cast<uint32_t>(index))) return kZipBadHeader;
    const ZipResult r = DescribeCurrentEntry(*reader.archive, index, ze);
    if (r == kZipOk || r == kZipUnsafeName) {
        reader.cached = ze;
        reader.cached_index = index;
        reader.cached_result = r;
    }
    return r;
}

// Where a file entry goes: creates the folders on the way and returns the
// target path, or "" when they cannot be made.
std::string PrepareTarget(const std::string& base, const std::string& destination) {
    const size_t slash = destination.rfind('/');
    const std::string dir = slash == std::string::npos ? "" : destination.substr(0, slash + 1);
    const std::string file = destination.substr(dir.size());
    if (file.empty()) return "";
    if (dir.empty()) return zip::MakeDirectoryChain(base, "") ? base + file : "";
    if (dir[0] == '/') return zip::MakeDirectoryChain("", dir) ? dir + file : "";
    return zip::MakeDirectoryChain(base, dir) ? base + dir + file : "";
}

ZipResult CopyEntryData(ZipReader& reader, zip::PendingFile& file) {
    if (!reader.output) reader.output = std::make_unique<std::array<uint8_t, zip::kZipBufferSize>>();
    zip::EntryStream stream(*reader.archive, reader.password);
    for (;;) {
        size_t produced = 0;
        const auto status = stream.Read(reader.output->data(), reader.output->size(), produced);
        if (status == zip::EntryStream::Status::kBadPassword) return kZipBadPassword;
        if (status == zip::EntryStream::Status::kError) return kZipDataError;
        if (produced > 0 && !file.Write(reader.output->data(), produced)) return kZipWriteFailed;
        if (status == zip::EntryStream::Status::kEnd) break;
        if (produced == 0) return kZipDataError;
    }
    if (!stream.AllRead()) return kZipDataError;
    if (!stream.CrcMatches()) return kZipCrcMismatch;
    return kZipOk;
}

ZipResult Extract(ZipReader& reader, int index, const std::string& destination) {
    if (index < 0 || static_cast<uint32_t>(index) >= reader.archive->EntryCount()) {
        return kZipBadArgument;
    }
    // An entry behind an unreadable central header cannot even be found.
    if (!reader.archive->GoTo(static_cast<uint32_t>(index))) return kZipBadHeader;
    ZipEntryInfo ze;
    const ZipResult info = EntryInfo(reader, index, ze);
    // A local header that fails its checks means the entry's data cannot be
    // read: extraction reports that as a data error (the listing keeps the
    // finer 0x700/0x800), and nothing is created for it.
    if (info == kZipBadHeader || info == kZipBadExtra) return kZipDataError;
    if (info != kZipOk) return info;
    const std::string dest = WithSlashes(destination);
    // Only a leading separator makes a destination absolute: a drive prefix
    // ("C:") means nothing here and stays a name below the base directory.
    const bool absolute = !dest.empty() && dest[0] == '/';
    if (!absolute && zip::ClimbsOutOfBase(dest)) return kZipUnsafeName;
    if (ze.attr & zip::kAttrDirectory) {
        const bool made = absolute ? zip::MakeDirectoryChain("", dest)
                                   : zip::MakeDirectoryChain(reader.base_dir, dest);
        return made ? kZipOk : kZipNoFile;
    }
    const std::string target = PrepareTarget(reader.base_dir, dest);
    if (target.empty()) return kZipNoFile;
    // The cached information may have left the walk elsewhere.
    if (!reader.archive->GoTo(static_cast<uint32_t>(index))) return kZipBadHeader;
    zip::PendingFile file(target);
    if (!file.IsOpen()) return kZipNoFile;
    if (const ZipResult r = CopyEntryData(reader, file); r != kZipOk) return r;
    if (!file.Commit(ze.attr & zip::kAttrReadOnly, ze.atime, ze.mtime)) return kZipNoFile;
    return kZipOk;
}

}  // namespace

HZIP OpenZipFromMemory(const void* data, size_t length) {
    if (data == nullptr && length != 0) {
        Remember(kZipBadArgument);
        return nullptr;
    }
    auto handle = std::make_unique<ZipHandle>();
    handle->kind = kReaderKind;
    handle->reader = std::make_unique<ZipReader>();
    ZipReader& reader = *handle->reader;
    static const uint8_t kEmpty = 0;
    const auto* bytes = data ? static_cast<const uint8_t*>(data) : &kEmpty;
    ZipResult result = kZipOk;
    reader.archive = zip::Archive::Open(bytes, length, result);
    Remember(result);
    if (!reader.archive) return nullptr;
    reader.base_dir = CurrentDirectory();
    std::lock_guard<std::mutex> lock(g_liveLock);
    g_liveHandles.insert(handle.get());
    return handle.release();
}

ZipResult SetBaseDirectory(HZIP handle, const std::string& path) {
    if (const ZipResult r = CheckHandle(handle); r != kZipOk) return Remember(r);
    // An empty path means the current directory, not the file-system root.
    std::string base = path.empty() ? "./" : path;
    // A trailing backslash already ends the path, as on Windows; on Linux
    // it would name a folder with a backslash in its name.
    if (base.back() == '\\') base.back() = '/';
    if (base.back() != '/') base += '/';
    handle->reader->base_dir = base;
    return Remember(kZipOk);
}

ZipResult GetZipEntry(HZIP handle, int index, ZipEntryInfo& ze) {
    if (const ZipResult r = CheckHandle(handle); r != kZipOk) return Remember(r);
    return Remember(EntryInfo(*handle->reader, index, ze));
}

ZipResult ExtractZipEntry(HZIP handle, int index, const std::string& destination) {
    if (const ZipResult r = CheckHandle(handle); r != kZipOk) return Remember(r);
    return Remember(Extract(*handle->reader, index, destination));
}

ZipResult CloseZip(HZIP handle) {
    if (const ZipResult r = CheckHandle(handle); r != kZipOk) return Remember(r);
    {
        std::lock_guard<std::mutex> lock(g_liveLock);
        g_liveHandles.erase(handle);
    }
    delete handle;
    return Remember(kZipOk);
}

ZipResult GetLastZipResult() { return g_lastZipResult; }

}  // namespace vostra
