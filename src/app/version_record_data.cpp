// The launcher's own version record: FileVersion VOSTRA_FILE_VERSION for
// translation 0804 (Chinese, PRC) / 03a8 (GB2312), in the section that
// GetFileVersionString reads and tools/stamp-version rewrites.
#include "app/version_record.h"

#ifndef VOSTRA_FILE_VERSION
#define VOSTRA_FILE_VERSION "1.0.0.0"
#endif

namespace vostra {

extern const std::array<uint8_t, kVersionSectionSize> g_versionRecord;

__attribute__((section(".vostra_version"), used))
constinit const std::array<uint8_t, kVersionSectionSize> g_versionRecord =
    MakeVersionSection(VOSTRA_FILE_VERSION, 0x0804, 0x03a8);

}  // namespace vostra
