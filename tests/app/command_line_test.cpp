#include <gtest/gtest.h>

#include "platform/command_line.h"

namespace vostra {
namespace {

std::string Rebuild(const std::vector<std::string>& args) {
    std::vector<const char*> argv;
    for (const auto& a : args) argv.push_back(a.c_str());
    return BuildRawCommandLine(static_cast<int>(argv.size()), argv.data());
}

TEST(CommandLine, QuotesTheProgramUnlessItIsAnOption) {
    EXPECT_EQ(Rebuild({"/opt/v l/vostra"}), "\"/opt/v l/vostra\"");
    EXPECT_EQ(Rebuild({"/x/vostra", "-u"}), "\"/x/vostra\" -u");
    EXPECT_EQ(Rebuild({"-d /home/a b/vostra"}), "-d /home/a b/vostra");
    EXPECT_EQ(Rebuild({"-u", "x", "y z"}), "-u x y z");
    EXPECT_EQ(Rebuild({"/x", ""}), "\"/x\" ");
}

// Starting a process with a command line must give the child exactly that
// line back when it rebuilds its own.
class SpawnRoundTrip : public ::testing::TestWithParam<std::string> {};

TEST_P(SpawnRoundTrip, ChildRebuildsTheSameLine) {
    const std::string line = GetParam();
    const auto argv = ArgvForCommandLine("/app/vostra", &line);
    EXPECT_EQ(Rebuild(argv), line);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SpawnRoundTrip,
    ::testing::Values("-d /home/u/.local/share/orbix/vstr/vostra-launcher",
                      "-d /path with blanks/and trailing ", "-u /a/b", "-d",
                      "\"/opt/v/vostra\" -frameWnd=4194305 -gameurl=http://h/p?a=1 b ",
                      "\"/opt/v/vostra\" -u", "\"/opt/v/vostra\""));

TEST(CommandLine, NoCommandLineRunsTheApplicationAlone) {
    EXPECT_EQ(ArgvForCommandLine("/app/v", nullptr), std::vector<std::string>{"/app/v"});
}

}  // namespace
}  // namespace vostra
