#!/bin/sh
# Fuzzes the zip reader with libFuzzer for a chosen time:
#   scripts/fuzz-zip.sh [SECONDS] [--merge]
# Builds tests/install/fuzz (clang, -fsanitize=fuzzer plus ASan/UBSan) in
# build-fuzz, starts from the committed corpus and keeps new finds in
# build-fuzz/zip-finds. With --merge, the finds that reach new code are
# added to tests/install/fuzz/corpus, which the normal test suite replays.
# A crash, a leak or a file outside the base directory stops the run and
# leaves the input as build-fuzz/crash-*.
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build-fuzz"
CORPUS="$ROOT/tests/install/fuzz/corpus"
FINDS="$BUILD/zip-finds"
SECONDS_TO_RUN=60
MERGE=no
for arg in "$@"; do
    case "$arg" in
        --merge) MERGE=yes ;;
        *[!0-9]* | "") echo "usage: $0 [SECONDS] [--merge]" >&2; exit 2 ;;
        *) SECONDS_TO_RUN=$arg ;;
    esac
done

# Every library the target links is instrumented for coverage, so the
# fuzzer sees the branches of the reader itself.
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVOSTRA_SANITIZE=ON -DVOSTRA_FUZZ=ON \
    -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
    >/dev/null
cmake --build "$BUILD" --target zip_fuzz -j1

mkdir -p "$FINDS"
VOSTRA_FUZZ_ROOT=$(mktemp -d /tmp/vostra-zipfuzz-XXXXXX)
export VOSTRA_FUZZ_ROOT
trap 'chmod -R u+rwx "$VOSTRA_FUZZ_ROOT" 2>/dev/null; rm -rf "$VOSTRA_FUZZ_ROOT"' EXIT

cd "$BUILD"
./tests/install/zip_fuzz -max_total_time="$SECONDS_TO_RUN" -max_len=65536 -timeout=20 \
    -rss_limit_mb=2048 -print_final_stats=1 "$FINDS" "$CORPUS"

if [ "$MERGE" = yes ]; then
    ./tests/install/zip_fuzz -merge=1 "$CORPUS" "$FINDS"
fi
