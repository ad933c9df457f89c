// libFuzzer entry for the core's parsers; see scripts/fuzz-core.sh.
#include <cstdlib>
#include <string>

#include "core_fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string folder = [] {
        const char* root = getenv("VOSTRA_FUZZ_ROOT");
        return std::string(root != nullptr ? root : "/tmp");
    }();
    vostra::test::FuzzCoreInput(data, size, folder);
    return 0;
}
