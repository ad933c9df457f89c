#!/bin/sh
# Benchmark of the self-update's download and MD5 paths.
#
# Serves a large file (default 256 MiB) from the demo operator server on
# loopback, downloads it with the launcher's own download code and with
# curl, and hashes it with the launcher's ComputeFileMd5 and with md5sum.
# Prints the times, throughputs, peak memory and the ratios
# (targets: download >= 0.9 of curl's throughput, MD5 >= 0.9 of md5sum's).
#
#   scripts/bench-download.sh [size in MiB]
#
# Builds an optimised copy of the needed programs (no sanitizers) in
# BENCH_BUILD_DIR (default build-update/bench-release).
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
SIZE_MIB=${1:-256}
BUILD=${BENCH_BUILD_DIR:-$ROOT/build-update/bench-release}
RUNS=${BENCH_RUNS:-3}

cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DVOSTRA_SANITIZE=OFF >/dev/null
cmake --build "$BUILD" --target vostra-demo-server vostra-download-bench -j1 >/dev/null
SERVER=$BUILD/tools/demo_server/vostra-demo-server
BENCH=$BUILD/tests/update/vostra-download-bench

WORK=$(mktemp -d /tmp/vostra-bench-XXXXXX)
SERVER_PID=""
cleanup() {
    [ -n "$SERVER_PID" ] && kill "$SERVER_PID" 2>/dev/null && wait "$SERVER_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT INT TERM

head -c "$((SIZE_MIB * 1024 * 1024))" /dev/urandom > "$WORK/client"
"$SERVER" --port 0 --client "$WORK/client" > "$WORK/server.out" &
SERVER_PID=$!
for _ in $(seq 50); do
    [ -s "$WORK/server.out" ] && break
    sleep 0.1
done
BASE=$(sed -n 's/^listening on //p' "$WORK/server.out")
URL="$BASE/download/vstr/kxvstr.exe"

# time_of CMD...: runs CMD under GNU time; prints "seconds peak_kib".
time_of() {
    /usr/bin/time -f "%e %M" -o "$WORK/time" "$@" >/dev/null
    cat "$WORK/time"
}

# best_of N CMD...: the fastest of N runs (its seconds and peak memory).
best_of() {
    n=$1; shift
    best=""
    for _ in $(seq "$n"); do
        rm -f "$WORK/out" "$WORK/out.log"
        r=$(time_of "$@")
        if [ -z "$best" ] || awk -v a="${r% *}" -v b="${best% *}" 'BEGIN{exit !(a<b)}'; then
            best=$r
        fi
    done
    echo "$best"
}

OURS=$(best_of "$RUNS" "$BENCH" download "$URL" "$WORK/out")
cmp -s "$WORK/client" "$WORK/out" || { echo "our download differs from the file" >&2; exit 1; }
CURL=$(best_of "$RUNS" curl -s -f -o "$WORK/out" "$URL")
cmp -s "$WORK/client" "$WORK/out" || { echo "curl's download differs from the file" >&2; exit 1; }

# Hash a file that is surely in the page cache, both ways.
cat "$WORK/client" > /dev/null
OUR_MD5=$("$BENCH" md5 "$WORK/client")
SYS_MD5=$(md5sum "$WORK/client" | cut -d' ' -f1)
[ "$OUR_MD5" = "$SYS_MD5" ] || { echo "MD5 mismatch: $OUR_MD5 $SYS_MD5" >&2; exit 1; }
OURS_MD5=$(best_of "$RUNS" "$BENCH" md5 "$WORK/client")
SYS_MD5_T=$(best_of "$RUNS" md5sum "$WORK/client")

awk -v mib="$SIZE_MIB" -v o="$OURS" -v c="$CURL" -v om="$OURS_MD5" -v sm="$SYS_MD5_T" '
function secs(x) { split(x, a, " "); return a[1] < 0.01 ? 0.01 : a[1] }
function kib(x)  { split(x, a, " "); return a[2] }
BEGIN {
    printf "file: %d MiB on loopback, best of the runs\n", mib
    printf "download  ours: %6.2f s %8.1f MiB/s  peak %7d KiB\n", secs(o), mib / secs(o), kib(o)
    printf "download  curl: %6.2f s %8.1f MiB/s  peak %7d KiB\n", secs(c), mib / secs(c), kib(c)
    printf "download  throughput ratio ours/curl: %.2f (target >= 0.90)\n", secs(c) / secs(o)
    printf "md5       ours: %6.2f s %8.1f MiB/s  peak %7d KiB\n", secs(om), mib / secs(om), kib(om)
    printf "md5     md5sum: %6.2f s %8.1f MiB/s  peak %7d KiB\n", secs(sm), mib / secs(sm), kib(sm)
    printf "md5       throughput ratio ours/md5sum: %.2f (target >= 0.90)\n", secs(sm) / secs(om)
}'
