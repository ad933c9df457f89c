// The D-Bus session bus, when there is none. The toolkit, GIO and the web
// engine ask for the session bus (accessibility, desktop services); where
// no session bus runs, GLib and libdbus start one of their own through
// X11 "autolaunch", a daemon that outlives the launcher. A bare
// environment (a minimal system, a service, a test) has no bus to offer.
#pragma once

namespace vostra {

// When DBUS_SESSION_BUS_ADDRESS is unset and $XDG_RUNTIME_DIR/bus is no
// socket, points the address at a transport that nobody serves (so every
// request for the bus fails at once, quietly) and turns the accessibility
// bridge off, as it has no bus to reach. A desktop session, which always
// has its bus, is left alone. Call before the toolkit starts. True when it
// changed the environment.
bool AvoidSessionBusAutolaunch();

}  // namespace vostra
