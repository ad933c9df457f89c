#!/bin/sh
# Redraws the launcher's artwork under res/ (PNG catalogue, bitmap 318,
# icon 273) with the generator in tools/artgen. Run by hand after changing
# the generator; the build only embeds the committed pictures.
# Usage: scripts/make-art.sh [build folder]   (default: build-art)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build-art"}
cmake -S "$root/tools/artgen" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target vostra-artgen -j1
"$build/vostra-artgen" "$root/res"
echo "make-art: pictures written under $root/res"
