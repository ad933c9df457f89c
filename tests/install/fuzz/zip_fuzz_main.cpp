// libFuzzer entry point for the zip reader (see scripts/fuzz-zip.sh).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/zip_fuzz_target.h"

namespace {

// $VOSTRA_FUZZ_ROOT (made and removed by scripts/fuzz-zip.sh), else a new
// folder in /tmp.
std::string FuzzRoot() {
    if (const char* root = getenv("VOSTRA_FUZZ_ROOT"); root && root[0] == '/') return root;
    char tmpl[] = "/tmp/vostra-zipfuzz-XXXXXX";
    if (mkdtemp(tmpl) == nullptr) abort();
    return tmpl;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string root = FuzzRoot();
    if (!vostra::test::RunZipFuzzInput(root, data, size)) {
        fprintf(stderr, "zip_fuzz: a file was written outside the base directory\n");
        abort();
    }
    return 0;
}
