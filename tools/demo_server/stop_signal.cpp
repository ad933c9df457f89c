#include "stop_signal.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace vostra::demo {
namespace {
std::atomic<bool> g_stop{false};
}

void RequestStop() { g_stop = true; }

bool StopRequested() { return g_stop; }

bool SleepUnlessStopping(int ms) {
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(ms);
    while (!g_stop) {
        if (steady_clock::now() >= deadline) return true;
        std::this_thread::sleep_for(milliseconds(20));
    }
    return false;
}

}  // namespace vostra::demo
