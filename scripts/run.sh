#!/bin/sh
# Installs what is missing, builds the launcher and runs it.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

BUILD=build
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOSTRA_TESTS=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)"
exec "$BUILD/vostra-launcher" "$@"
