// The self-update's entry point, called once per login web form when its
// first page has loaded. It runs synchronously; when a newer client is
// downloaded and started, the process ends inside the call.
#pragma once

#include "update/update_context.h"

namespace vostra {

// One update run on the real folders, executable and network.
void RunUpdateCheck();

// One update run on the given dependencies.
void RunUpdateCheck(const UpdateContext& ctx);

}  // namespace vostra
