// vostra-update-probe: runs one update run of the real library as a
// program of its own, so tests can watch a whole update end to end (a
// successful handoff ends the process with exit code 0). It carries a
// version record like the launcher's, and runs wherever a test copies it:
// its own file name and folder are what the update run sees.
//
//   vostra-update-probe [--stall-ms N]
//
// Exit code kReturned when the run came back without handing over.
#include <cstdlib>
#include <cstring>

#include "update/update_check.h"

namespace {
constexpr int kReturned = 10;
}

int main(int argc, char** argv) {
    vostra::UpdateContext ctx = vostra::DefaultUpdateContext();
    if (argc == 3 && strcmp(argv[1], "--stall-ms") == 0) {
        ctx.stall_timeout_ms = strtol(argv[2], nullptr, 10);
    }
    vostra::RunUpdateCheck(ctx);
    return kReturned;
}
