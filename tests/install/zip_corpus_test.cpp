// Replays the fuzzing corpus of the zip reader: every input must run to its
// end (the sanitizers of the test build catch bad memory use and leaks)
// without writing outside the base directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/zip_fuzz_target.h"
#include "support/sandbox.h"

namespace vostra::test {
namespace {

class ZipCorpusTest : public Sandbox {};

TEST_F(ZipCorpusTest, EveryInputStaysInsideTheBase) {
    size_t inputs = 0;
    for (const auto& item : std::filesystem::directory_iterator(VOSTRA_ZIP_CORPUS_DIR)) {
        if (!item.is_regular_file()) continue;
        std::ifstream in(item.path(), std::ios::binary);
        const std::string data(std::istreambuf_iterator<char>(in), {});
        const std::string root = Root() + "/replay";
        std::filesystem::create_directories(root);
        EXPECT_TRUE(RunZipFuzzInput(root, reinterpret_cast<const uint8_t*>(data.data()),
                                    data.size()))
            << item.path();
        ++inputs;
    }
    EXPECT_GE(inputs, 10u);
}

}  // namespace
}  // namespace vostra::test
