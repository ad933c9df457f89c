// The windowed side of the launcher's modes: what the executable hands the
// application object so that it can ask questions and open windows.
#pragma once

#include "app/application.h"

namespace vostra {

ModeHandlers MakeGuiModeHandlers();

}  // namespace vostra
