#!/bin/sh
# bench-msgbox.sh [BUILD_DIR] [RUNS]
#
# Times the uninstall question from process start to the box on screen
# (its window mapped), ours against Debian's `zenity --question` asking
# the same on the same display, alternating runs, and prints both medians
# and the ratio. Target: ours at most half of zenity's time.
#
# BUILD_DIR (default build-bench, configured as Release when missing) holds
# vostra-ui-harness and vostra-window-timer. The benchmark starts its own
# Xvfb; BENCH_WM=openbox runs it under that window manager.
# With VOSTRA_BENCH_LAUNCHER=path, the launcher itself is timed too, run
# as the uninstall shortcut does ("path" -u) in a throw-away HOME; the
# question is never answered, so nothing is uninstalled.
set -eu
cd "$(dirname "$0")/.."

if [ "${VOSTRA_BENCH_INNER:-}" != "1" ]; then
    BUILD=${1:-build-bench}
    if [ ! -x "$BUILD/tools/ui_harness/vostra-ui-harness" ] ||
       [ ! -x "$BUILD/tools/ui_harness/vostra-window-timer" ]; then
        cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DVOSTRA_TESTS=OFF >/dev/null
        cmake --build "$BUILD" --target vostra-ui-harness vostra-window-timer -j1
    fi
    command -v zenity >/dev/null || { echo "bench-msgbox: zenity is not installed" >&2; exit 2; }
    export VOSTRA_BENCH_INNER=1
    if [ -n "${BENCH_WM:-}" ]; then
        exec tests/ui/run-with-xvfb.sh --wm "$BENCH_WM" "$0" "$@"
    fi
    exec tests/ui/run-with-xvfb.sh "$0" "$@"
fi

BUILD=${1:-build-bench}
RUNS=${2:-15}
HARNESS="$BUILD/tools/ui_harness/vostra-ui-harness"
TIMER="$BUILD/tools/ui_harness/vostra-window-timer"
TITLE="卸载"
MESSAGE="您是否确认卸载《Vostra》？"
# A sanitizer build, if that is what BUILD holds, must not stop on GTK's caches.
export ASAN_OPTIONS=detect_leaks=0
SANDBOX=$(mktemp -d /tmp/vostra-bench-XXXXXX)
trap 'rm -rf "$SANDBOX"' EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

ours() { "$TIMER" "$TITLE" "$HARNESS" msgbox --caller uninstall; }
theirs() { "$TIMER" "$TITLE" zenity --question --title="$TITLE" --text="$MESSAGE"; }
launcher() {
    HOME="$SANDBOX/home" XDG_DATA_HOME="$SANDBOX/home/.local/share" \
        "$TIMER" "$TITLE" "$VOSTRA_BENCH_LAUNCHER" -u
}

# One warm-up each, so both find the font and icon caches in memory.
ours >/dev/null
theirs >/dev/null
: >"$SANDBOX/ours"
: >"$SANDBOX/zenity"
: >"$SANDBOX/launcher"
i=0
while [ "$i" -lt "$RUNS" ]; do
    ours >>"$SANDBOX/ours"
    theirs >>"$SANDBOX/zenity"
    if [ -n "${VOSTRA_BENCH_LAUNCHER:-}" ]; then launcher >>"$SANDBOX/launcher" || true; fi
    i=$((i + 1))
done

OURS=$(median <"$SANDBOX/ours")
ZENITY=$(median <"$SANDBOX/zenity")
echo "message box, start to window on screen, median of $RUNS runs (window manager: ${VOSTRA_UI_WM:-none})"
echo "  ours (vostra-ui-harness msgbox): $OURS ms   [$(tr '\n' ' ' <"$SANDBOX/ours")]"
echo "  zenity --question:              $ZENITY ms   [$(tr '\n' ' ' <"$SANDBOX/zenity")]"
if [ -s "$SANDBOX/launcher" ]; then
    echo "  vostra-launcher -u:             $(median <"$SANDBOX/launcher") ms"
fi
awk -v o="$OURS" -v z="$ZENITY" 'BEGIN {
    r = o / z
    printf "  ratio ours/zenity: %.2f (target <= 0.50: %s)\n", r, (r <= 0.5 ? "met" : "NOT met")
}'
