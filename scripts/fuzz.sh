#!/bin/sh
# Fuzzes one of the parsers of hostile input with libFuzzer for a chosen time:
#   scripts/fuzz.sh zip|core [SECONDS] [--merge]
#     zip   the zip reader (open, list, extract into a scratch folder)
#     core  the settings file reader and writer, the version record and the
#           command-line mode tests
# Builds the target (clang, -fsanitize=fuzzer plus ASan/UBSan) in
# build-fuzz, starts from the committed corpus and keeps new finds in
# build-fuzz/<target>-finds. With --merge, the finds that reach new code are
# added to the corpus, which the normal test suite replays. A crash, a leak
# or a broken property stops the run and leaves the input as
# build-fuzz/crash-*.
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build-fuzz"
case "${1:-}" in
    zip) TARGET=zip_fuzz; DIR=tests/install; MAX_LEN=65536 ;;
    core) TARGET=core_fuzz; DIR=tests/app; MAX_LEN=8192 ;;
    *) echo "usage: $0 zip|core [SECONDS] [--merge]" >&2; exit 2 ;;
esac
shift
CORPUS="$ROOT/$DIR/fuzz/corpus"
FINDS="$BUILD/$TARGET-finds"
SECONDS_TO_RUN=60
MERGE=no
for arg in "$@"; do
    case "$arg" in
        --merge) MERGE=yes ;;
        *[!0-9]* | "") echo "usage: $0 zip|core [SECONDS] [--merge]" >&2; exit 2 ;;
        *) SECONDS_TO_RUN=$arg ;;
    esac
done

# Every library the target links is instrumented for coverage, so the
# fuzzer sees the branches of the code under test itself.
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVOSTRA_SANITIZE=ON -DVOSTRA_FUZZ=ON \
    -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
    >/dev/null
cmake --build "$BUILD" --target "$TARGET" -j1

mkdir -p "$FINDS"
# Scratch files go to memory where it can be had: every settings write is
# flushed to disk, which would otherwise dominate each run.
SCRATCH=/tmp
[ -d /dev/shm ] && [ -w /dev/shm ] && SCRATCH=/dev/shm
VOSTRA_FUZZ_ROOT=$(mktemp -d "$SCRATCH/vostra-fuzz-XXXXXX")
export VOSTRA_FUZZ_ROOT
trap 'chmod -R u+rwx "$VOSTRA_FUZZ_ROOT" 2>/dev/null; rm -rf "$VOSTRA_FUZZ_ROOT"' EXIT

cd "$BUILD"
"./$DIR/$TARGET" -max_total_time="$SECONDS_TO_RUN" -max_len="$MAX_LEN" -timeout=20 \
    -rss_limit_mb=2048 -print_final_stats=1 "$FINDS" "$CORPUS"

if [ "$MERGE" = yes ]; then
    "./$DIR/$TARGET" -merge=1 "$CORPUS" "$FINDS"
fi
