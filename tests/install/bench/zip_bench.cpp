// zip-bench: extracts every entry of an archive file with our zip reader,
// the way the installer does, for scripts/bench-zip.sh:
//   zip-bench ARCHIVE OUTPUT_FOLDER
// The archive is mapped into memory (the reader works on memory and never
// copies it). Exits non-zero when any entry fails.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "install/zip_reader.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: zip-bench ARCHIVE OUTPUT_FOLDER\n");
        return 2;
    }
    const int fd = open(argv[1], O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || fstat(fd, &st) != 0 || st.st_size == 0) {
        fprintf(stderr, "zip-bench: cannot read %s\n", argv[1]);
        return 1;
    }
    const size_t size = static_cast<size_t>(st.st_size);
    void* data = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    close(fd);
    if (data == MAP_FAILED) return 1;
    madvise(data, size, MADV_SEQUENTIAL);
    int failures = 0;
    vostra::HZIP zip = vostra::OpenZipFromMemory(data, size);
    if (zip == nullptr) {
        fprintf(stderr, "zip-bench: not an archive (0x%08x)\n", vostra::GetLastZipResult());
        return 1;
    }
    vostra::SetBaseDirectory(zip, argv[2]);
    vostra::ZipEntryInfo ze;
    vostra::GetZipEntry(zip, -1, ze);
    const int count = ze.index;
    for (int i = 0; i < count; ++i) {
        vostra::ZipResult r = vostra::GetZipEntry(zip, i, ze);
        if (r == vostra::kZipOk) r = vostra::ExtractZipEntry(zip, i, ze.name);
        if (r != vostra::kZipOk) {
            fprintf(stderr, "zip-bench: entry %d (%s): 0x%08x\n", i, ze.name.c_str(), r);
            ++failures;
        }
    }
    vostra::CloseZip(zip);
    munmap(data, size);
    return failures == 0 ? 0 : 1;
}
