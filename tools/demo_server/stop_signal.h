// The server's shutdown flag, so that handlers which hold a connection open
// on purpose (the stall faults) let go when the server stops.
#pragma once

namespace vostra::demo {

void RequestStop();
bool StopRequested();

// Sleeps for up to `ms` milliseconds, waking early when a stop is
// requested; true when it slept the whole time.
bool SleepUnlessStopping(int ms);

}  // namespace vostra::demo
