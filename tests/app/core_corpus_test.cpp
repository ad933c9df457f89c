// Replays the core fuzzer's corpus (tests/app/fuzz/corpus) through the same
// checks, so every input it ever found interesting stays covered.
#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz/core_fuzz_target.h"
#include "support/sandbox.h"

namespace vostra::test {
namespace {

class CoreCorpus : public Sandbox {};

TEST_F(CoreCorpus, EveryInputPassesTheChecks) {
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VOSTRA_CORE_CORPUS_DIR)) {
        const std::string data = ReadFile(entry.path().string());
        FuzzCoreInput(reinterpret_cast<const uint8_t*>(data.data()), data.size(), Root());
        ++count;
    }
    EXPECT_GE(count, 5u);
}

}  // namespace
}  // namespace vostra::test
