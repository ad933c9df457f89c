#!/bin/sh
# Installs what is missing, builds the launcher with AddressSanitizer and
# runs every test. Starts a virtual X display when there is none, since the
# window tests need one.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

BUILD=build-test
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DVOSTRA_SANITIZE=ON >/dev/null
cmake --build "$BUILD" -j"$(nproc)"

# With no session bus, GLib would start one per test program (X11
# autolaunch), left running after the tests; there is nothing to talk to.
export DBUS_SESSION_BUS_ADDRESS="${DBUS_SESSION_BUS_ADDRESS:-disabled:}"

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1600x900x24 -nolisten tcp" \
        ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)" "$@"
fi
exec ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)" "$@"
