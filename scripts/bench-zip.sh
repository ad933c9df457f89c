#!/bin/sh
# Extraction speed of our zip reader against Info-ZIP unzip on this machine:
#   scripts/bench-zip.sh [MEGABYTES] [ROUNDS]
# Makes an archive of about MEGABYTES (default 240) in many entries at run
# time: incompressible files stored, text files deflated, and a crowd of
# small files. Each round extracts it once with `unzip` and once with our
# reader (tests/install/bench, built without sanitizers in build-bench);
# the best time of each over ROUNDS (default 3) is reported with the ratio
# ours / unzip. Both outputs are compared byte for byte.
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build-bench"
MB=${1:-240}
ROUNDS=${2:-3}

command -v unzip >/dev/null && command -v zip >/dev/null || {
    echo "bench-zip: needs zip and unzip" >&2
    exit 1
}
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DVOSTRA_SANITIZE=OFF >/dev/null
cmake --build "$BUILD" --target zip-bench -j1 >/dev/null
BENCH="$BUILD/tests/install/zip-bench"

# On the build's own disk, not in a memory-backed /tmp.
WORK=$(mktemp -d "$BUILD/zipbench.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
SRC="$WORK/src"
mkdir -p "$SRC/stored" "$SRC/text" "$SRC/small"

# A quarter incompressible (stored), half text (deflated), a quarter in
# 4 KiB files (deflated).
quarter=$((MB / 4))
i=0
while [ $i -lt $quarter ]; do
    head -c 1048576 /dev/urandom > "$SRC/stored/r$i.raw"
    i=$((i + 1))
done
i=0
while [ $i -lt $((quarter / 2)) ]; do
    head -c 1572864 /dev/urandom | base64 > "$SRC/text/b$i.txt"
    seq $((i * 300000)) $((i * 300000 + 330000)) > "$SRC/text/n$i.txt"
    i=$((i + 1))
done
i=0
head -c $((quarter * 1048576)) /dev/urandom | base64 -w 0 | fold -w 4096 | while read -r line; do
    printf '%s\n' "$line" > "$SRC/small/s$i.txt"
    i=$((i + 1))
done
(cd "$SRC" && zip -q -r -n .raw "$WORK/bench.zip" .)

entries=$(unzip -Z1 "$WORK/bench.zip" | wc -l)
unpacked=$(du -sm --apparent-size "$SRC" | cut -f1)
packed=$(du -sm --apparent-size "$WORK/bench.zip" | cut -f1)
echo "archive: $entries entries, $unpacked MB unpacked, $packed MB packed"

now() { date +%s.%N; }
best_unzip=""
best_ours=""
r=0
while [ $r -lt "$ROUNDS" ]; do
    rm -rf "$WORK/out-unzip" "$WORK/out-ours"
    sync
    t0=$(now); unzip -q -o "$WORK/bench.zip" -d "$WORK/out-unzip"; t1=$(now)
    sync
    t2=$(now); "$BENCH" "$WORK/bench.zip" "$WORK/out-ours"; t3=$(now)
    u=$(awk "BEGIN { print $t1 - $t0 }")
    o=$(awk "BEGIN { print $t3 - $t2 }")
    printf 'round %d: unzip %.3f s, ours %.3f s\n' $((r + 1)) "$u" "$o"
    best_unzip=$(awk "BEGIN { b = \"$best_unzip\"; print (b == \"\" || $u < b + 0) ? $u : b }")
    best_ours=$(awk "BEGIN { b = \"$best_ours\"; print (b == \"\" || $o < b + 0) ? $o : b }")
    r=$((r + 1))
done
diff -r "$WORK/out-unzip" "$WORK/out-ours" >/dev/null || {
    echo "bench-zip: the two extractions differ" >&2
    exit 1
}
printf 'best: unzip %.3f s, ours %.3f s, ratio ours/unzip %.3f\n' "$best_unzip" "$best_ours" \
    "$(awk "BEGIN { print $best_ours / $best_unzip }")"
