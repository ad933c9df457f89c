#include "platform/session_bus.h"

#include <sys/stat.h>

#include <cstdlib>
#include <string>

namespace vostra {
namespace {

// An address GLib and libdbus both parse and refuse to connect to.
constexpr char kNoBus[] = "disabled:";

bool HasValue(const char* name) {
    const char* value = getenv(name);
    return value != nullptr && *value != '\0';
}

bool RuntimeBusExists() {
    const char* runtime = getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || runtime[0] != '/') return false;
    struct stat st {};
    return stat((std::string(runtime) + "/bus").c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

}  // namespace

bool AvoidSessionBusAutolaunch() {
    if (HasValue("DBUS_SESSION_BUS_ADDRESS") || RuntimeBusExists()) return false;
    setenv("DBUS_SESSION_BUS_ADDRESS", kNoBus, 1);
    setenv("NO_AT_BRIDGE", "1", 0);
    return true;
}

}  // namespace vostra
