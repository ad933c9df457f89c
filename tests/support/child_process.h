// Runs the launcher as a child with a hand-made argv (argv[0] included, as
// `exec -a` would) and captured output. The test process becomes a
// subreaper, so processes that the child starts and leaves behind can be
// waited for too.
#pragma once

#include <string>
#include <vector>

namespace vostra::test {

struct ChildResult {
    int exit_code = -1;  // -1: killed or not started
    std::string out;
    std::string err;
};

// Runs `program` with exactly `argv` and extra environment "NAME=value"
// entries on top of ours; waits at most timeout_ms, then kills it.
ChildResult RunChild(const std::string& program, const std::vector<std::string>& argv,
                     const std::vector<std::string>& env = {}, int timeout_ms = 20000);

// Makes this process adopt orphaned descendants.
void BecomeSubreaper();

// Waits for one adopted orphan to end (killing it after timeout_ms); returns
// its exit code, or -1 when none turned up or it had to be killed.
int WaitForOrphan(int timeout_ms);

}  // namespace vostra::test
