#!/bin/sh
# Installs what is missing, builds the launcher and runs it against the demo
# operator server on http://127.0.0.1:18080 (started here unless something
# already answers there, and stopped when the launcher ends). Arguments are
# passed to the launcher.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

BUILD=build
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOSTRA_TESTS=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)"

SERVER_PID=""
if ! curl -s -o /dev/null --max-time 2 "http://127.0.0.1:18080/"; then
    "$BUILD/tools/demo_server/vostra-demo-server" --port 18080 >/dev/null &
    SERVER_PID=$!
    trap 'kill "$SERVER_PID" 2>/dev/null' EXIT INT TERM
fi

status=0
"$BUILD/vostra-launcher" "$@" || status=$?
exit "$status"
