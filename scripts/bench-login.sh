#!/bin/sh
# bench-login.sh [RUNS]
#
# Times the launcher's normal start from exec to what the player sees, and
# weighs its memory, against programs that do comparable work on the same
# display, alternating runs:
#   - the launcher (Release build in build-bench/): the login window on
#     screen (mapped, with its picture's pixels drawn), then the login page
#     visible (its body colour #1d2433 filling the popup's form area);
#   - `zenity --question`: its box on screen (a mapped zenity window with
#     its pixels drawn), the yardstick for a small GTK window;
#   - a bare WebKitGTK program (tools/bench/bare-webview.cpp, one window
#     with one web view, default settings): the same login page visible,
#     the floor any WebKitGTK program stands on;
#   - `chromium --app=<the same URL>` on a fresh profile: the page visible.
# Then the game, on a second demo server that logs in by itself
# (--auto-login) and stamps the moment it answers the login
# (--login-stamp), which is when the browser receives the play link:
#   - the launcher: from that hand-over to the game page visible in the
#     frame (its bare top-left corner, #0f1a12, below the strip);
#   - the bare WebKitGTK program started fresh on the game URL the launcher
#     was handed, on the launcher's website-data folder (so with the login
#     cookie) and at the game window's size: from exec to the same corner;
#   - `chromium --app=<the login URL>` on a fresh profile, which logs in
#     through the same login page and shows the game (time reported only).
#   Memory while the game runs: the launcher's processes (launcher, game
#   window, their web engine processes) against chromium's.
# zenity and the bare view also run a second time without a session bus
# (DBUS_SESSION_BUS_ADDRESS=disabled:, NO_AT_BRIDGE=1): where none runs, a
# GTK program autolaunches one and an accessibility bus on it, which the
# launcher may refuse to do; those rows are reported, not targets.
# Memory is the PSS of each program's whole process tree (WebKit's web and
# network processes, chromium's zygotes, GPU process and renderers) a few
# seconds after its page showed. The private part (USS) is printed beside
# it: PSS shifts with whatever else on the machine maps the same libraries
# (another WebKit program running meanwhile lowers it), USS does not.
#
# Each run gets a fresh HOME (with XDG_DATA_HOME, XDG_CACHE_HOME and
# XDG_CONFIG_HOME below it) copied from a template that one unmeasured
# start of the launcher has installed into: the runs time a start on an
# existing install. Every program runs with a bare environment (PATH,
# HOME, the three XDG folders, DISPLAY, VOSTRA_OPERATOR_URL); the WebKit
# programs also get WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS=1, because
# WebKit's sandbox cannot start inside this container, and chromium gets
# --no-sandbox for the same reason (and because it runs as root).
#
# RUNS (default 5) is the number of timed runs of each program; medians
# are reported. The benchmark installs the Debian packages it lacks
# (chromium among them), builds only the targets it needs into
# build-bench/ with one job at low priority, starts its own Xvfb on a free
# display and the demo operator server on a free port, and stops every
# process it started when it ends.
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
RUNS=${1:-5}
BUILD="$ROOT/build-bench"
BENCH="$BUILD/tools/bench"
LAUNCHER="$BUILD/vostra-launcher"
SERVER="$BUILD/tools/demo_server/vostra-demo-server"
TITLE="Vostra登录器"
# What zenity asks. In ASCII: under the bare environment (no LANG) the
# locale is C, and zenity refuses a non-ASCII option value there.
QUESTION="Do you want to quit the Vostra launcher?"
MARKER=1d2433
# From the page on screen to the memory reading: long enough for the
# programs' helper processes to have started and loaded the page.
SETTLE=2
# The longest wait for one program to show what is waited for (ms).
TIMEOUT=30000
# Where the login page shows, relative to the login window: the popup at
# (409, 139), its form area (0, 47)-(686, 484).
FORM="409,186,686,437"
# The popup itself, kept clear of when picking the login picture's pixels.
POPUP_X=409
POPUP_Y=139
POPUP_W=714
POPUP_H=488

case "$RUNS" in
    '' | *[!0-9]*) echo "usage: bench-login.sh [RUNS]" >&2; exit 2 ;;
esac
[ "$RUNS" -ge 3 ] || { echo "bench-login: RUNS must be at least 3" >&2; exit 2; }

# --- Debian packages: what building and running the benchmark needs -------
PACKAGES="
build-essential cmake pkg-config
zlib1g-dev libssl-dev libcurl4-openssl-dev libcpp-httplib-dev
libgtk-3-dev libwebkit2gtk-4.1-dev libx11-dev libxext-dev libglib2.0-dev libglib2.0-bin
libcairo2-dev libpango1.0-dev
xvfb xauth imagemagick zenity chromium
fonts-noto-cjk fonts-liberation2 dbus-x11
"
missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
if [ -n "$missing" ]; then
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then
        SUDO="sudo"
    fi
    echo "bench-login: installing:$missing" >&2
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    # shellcheck disable=SC2086
    $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

# --- the work folder and the end of every process started ----------------
WORK=$(mktemp -d /tmp/vostra-bench-login-XXXXXX)
# Each run's HOME, and the template it is copied from.
HOME_DIR="$WORK/home"
TEMPLATE="$WORK/template"
XVFB_PID=""
SERVER_PID=""
GAME_SERVER_PID=""
CURRENT=""
WAITER=""
cleanup() {
    [ -n "$WAITER" ] && kill "$WAITER" 2>/dev/null
    if [ -n "$CURRENT" ] && [ -x "$BENCH/proc-tree" ]; then
        "$BENCH/proc-tree" stop --env "HOME=$HOME_DIR" "$CURRENT" || true
    fi
    [ -n "$SERVER_PID" ] && kill "$SERVER_PID" 2>/dev/null
    [ -n "$GAME_SERVER_PID" ] && kill "$GAME_SERVER_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# --- the build: Release, only the targets used, one job, low priority -----
TARGETS="vostra-launcher vostra-demo-server wait-for-pixels exec-stamped proc-tree bare-webview login-url"
echo "bench-login: building $TARGETS in build-bench/ (Release)" >&2
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVOSTRA_TESTS=OFF -DVOSTRA_SANITIZE=OFF \
    >"$WORK/configure.log" 2>&1 || { cat "$WORK/configure.log" >&2; exit 1; }
# shellcheck disable=SC2086
nice -n 10 cmake --build build-bench --target $TARGETS -j1 >"$WORK/build.log" 2>&1 || {
    tail -n 40 "$WORK/build.log" >&2
    exit 1
}

# --- the display: Xvfb picks a free one and reports it on a pipe ----------
mkfifo "$WORK/display"
Xvfb -displayfd 3 -screen 0 1600x900x24 -nolisten tcp -noreset -br \
    3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
NUMBER=""
read -r NUMBER <"$WORK/display" || true
[ -n "$NUMBER" ] || { echo "bench-login: Xvfb did not start:" >&2; cat "$WORK/xvfb.log" >&2; exit 1; }
DISPLAY=":$NUMBER"
export DISPLAY

# --- the demo operator servers on free ports -----------------------------
# listening_on FILE: the base URL a server printed into FILE, waited for.
listening_on() {
    url=""
    i=0
    while [ -z "$url" ] && [ $i -lt 200 ]; do
        url=$(sed -n 's/^listening on //p' "$1" | head -n 1)
        [ -n "$url" ] || sleep 0.05
        i=$((i + 1))
    done
    echo "$url"
}
"$SERVER" --port 0 >"$WORK/server.out" 2>"$WORK/server.err" &
SERVER_PID=$!
OPERATOR=$(listening_on "$WORK/server.out")
[ -n "$OPERATOR" ] || { echo "bench-login: the demo server did not start" >&2; exit 1; }
# The game's server: its login page logs in by itself, and each login
# writes its time to LOGIN_STAMP.
LOGIN_STAMP="$WORK/login-stamp"
"$SERVER" --port 0 --auto-login bench --login-stamp "$LOGIN_STAMP" \
    >"$WORK/game-server.out" 2>"$WORK/game-server.err" &
GAME_SERVER_PID=$!
GAME_OPERATOR=$(listening_on "$WORK/game-server.out")
[ -n "$GAME_OPERATOR" ] || { echo "bench-login: the game's demo server did not start" >&2; exit 1; }
# Where the game page shows on the root (the frame over the whole screen,
# no window manager, the game window below its 30-pixel strip), and in a
# window of its own: the page's bare top-left corner.
GAME_MARKER=0f1a12
GAME_CORNER_ROOT="0,30,200,100"
GAME_CORNER="0,0,200,100"
GAME_SIZE=1600x870

SANDBOX_OFF="WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS=1"
# Where no session bus runs, a GTK program autolaunches one (dbus-launch)
# and starts the accessibility bus on it, which the launcher need not do.
# The baselines run both ways: as they are, and with the bus refused.
NO_BUS="DBUS_SESSION_BUS_ADDRESS=disabled: NO_AT_BRIDGE=1"

# bare_env EXTRA COMMAND [ARGS...]: runs COMMAND with the bare environment
# of a desktop start, on HOME_DIR, plus the NAME=VALUE words in EXTRA.
bare_env() {
    extra=$1
    shift
    # shellcheck disable=SC2086
    env -i PATH="$PATH" HOME="$HOME_DIR" XDG_DATA_HOME="$HOME_DIR/.local/share" \
        XDG_CACHE_HOME="$HOME_DIR/.cache" XDG_CONFIG_HOME="$HOME_DIR/.config" \
        DISPLAY="$DISPLAY" VOSTRA_OPERATOR_URL="$OPERATOR" $extra "$@"
}

# A fresh HOME_DIR, copied from the template once there is one. Always at
# the same path: the install writes absolute paths into its entries.
fresh_home() {
    rm -rf "$HOME_DIR"
    if [ -d "$TEMPLATE" ]; then
        cp -a "$TEMPLATE" "$HOME_DIR"
    else
        mkdir -p "$HOME_DIR"
    fi
}

# start EXTRA PROGRAM [ARGS...]: starts PROGRAM in the background in a
# process group of its own, its exec time stamped into $WORK/stamp. EXTRA
# holds NAME=VALUE words (without blanks in them) added to the environment.
start() {
    extra=$1
    shift
    rm -f "$WORK/stamp"
    # A simple command, not a function, so that $! is the program itself:
    # env and exec-stamped each replace themselves with the next.
    # shellcheck disable=SC2086
    env -i PATH="$PATH" HOME="$HOME_DIR" XDG_DATA_HOME="$HOME_DIR/.local/share" \
        XDG_CACHE_HOME="$HOME_DIR/.cache" XDG_CONFIG_HOME="$HOME_DIR/.config" \
        DISPLAY="$DISPLAY" VOSTRA_OPERATOR_URL="$OPERATOR" $extra \
        "$BENCH/exec-stamped" "$WORK/stamp" "$@" >"$WORK/program.log" 2>&1 &
    CURRENT=$!
}

# Ends the running program with all its processes.
stop_current() {
    [ -n "$CURRENT" ] || return 0
    "$BENCH/proc-tree" stop --env "HOME=$HOME_DIR" "$CURRENT" || true
    wait "$CURRENT" 2>/dev/null || true
    CURRENT=""
}

# wait_for GOAL...: the milliseconds from the program's exec to each goal,
# one line each, into $WORK/wait.out.
# It runs in the background while the shell waits for it, so that a signal
# to the benchmark is acted on at once rather than after the wait.
# The time is counted from SINCE_FILE when set, else from the exec stamp.
wait_for() {
    "$BENCH/wait-for-pixels" --since-file "${SINCE_FILE:-$WORK/stamp}" --timeout "$TIMEOUT" "$@" \
        >"$WORK/wait.out" 2>"$WORK/wait.err" &
    WAITER=$!
    status=0
    wait "$WAITER" || status=$?
    WAITER=""
    if [ "$status" -ne 0 ]; then
        echo "bench-login: timed out waiting for the screen:" >&2
        cat "$WORK/wait.err" "$WORK/program.log" >&2
        exit 1
    fi
}

# The memory of the running program's process tree: "PSS_KIB PROCESSES
# USS_KIB".
tree_pss() { "$BENCH/proc-tree" pss "$CURRENT"; }

LOGIN_URL=$(bare_env "" "$BENCH/login-url")
GAME_LOGIN_URL=$(bare_env "VOSTRA_OPERATOR_URL=$GAME_OPERATOR" "$BENCH/login-url")

# The game URL the running launcher handed its game window: the value of
# -gameurl= on the game process's command line (its one argument).
handed_game_url() {
    for pid in $("$BENCH/proc-tree" pids "$CURRENT"); do
        tr '\0' '\n' <"/proc/$pid/cmdline" 2>/dev/null | sed -n 's/^-frameWnd=[-0-9]* -gameurl=//p'
    done | head -n 1
}

# One launcher run on the game's server, on the current HOME_DIR: the
# milliseconds from the login's answer to the game visible, into
# $WORK/wait.out; the game URL into GAME_URL. The launcher stays running.
run_launcher_game() {
    rm -f "$LOGIN_STAMP"
    start "$SANDBOX_OFF VOSTRA_OPERATOR_URL=$GAME_OPERATOR" "$LAUNCHER"
    SINCE_FILE="$LOGIN_STAMP"
    wait_for "$GAME_CORNER_ROOT=$GAME_MARKER:0.9"
    SINCE_FILE=""
    GAME_URL=$(handed_game_url)
    [ -n "$GAME_URL" ] || { echo "bench-login: no game window process" >&2; exit 1; }
}

# The bare view on the game URL, on the launcher's website data of
# HOME_DIR.
start_bare_game() {
    start "$SANDBOX_OFF" "$BENCH/bare-webview" --data-dir "$HOME_DIR/.local/share/orbix/vstr/webdata" \
        --size "$GAME_SIZE" "$GAME_URL"
}
WEBKIT_VERSION=$("$BENCH/bare-webview" --version)
WEBKIT_PACKAGE=$(dpkg-query -W -f='${Version}' libwebkit2gtk-4.1-0 2>/dev/null || echo unknown)
CHROMIUM_VERSION=$(dpkg-query -W -f='${Version}' chromium 2>/dev/null || echo unknown)

# start_chromium [URL]: chromium on a fresh profile, on URL (default: the
# login page).
start_chromium() {
    profile=$(mktemp -d "$WORK/chromium-profile-XXXXXX")
    start "" chromium --app="${1:-$LOGIN_URL}" --user-data-dir="$profile" --no-first-run \
        --disable-gpu --disable-background-networking --disable-component-update \
        --disable-sync --no-sandbox
}

# --- warm-up, unmeasured: the launcher's first start installs into the ----
# template; each program once, so that all find their files in memory.
echo "bench-login: warming up on display $DISPLAY, operator $OPERATOR" >&2
fresh_home
start "$SANDBOX_OFF" "$LAUNCHER"
wait_for --geometry --name "$TITLE" "$FORM=$MARKER:0.5"
read -r _ LOGIN_X LOGIN_Y LOGIN_W LOGIN_H <"$WORK/wait.out"
# The login picture as shown, to pick reference pixels from.
sleep 0.5
import -window root "$WORK/login.png"
stop_current
mv "$HOME_DIR" "$TEMPLATE"

# Reference pixels: sample points on a grid over the login window, away
# from the popup, whose 5 x 5 neighbourhood is one colour (within 3 per
# channel) and clearly not black (the root shows black where the window's
# shape cuts it); at most one per cell of a 4 x 4 division of the window.
POINTS=$(convert "$WORK/login.png" -crop "${LOGIN_W}x${LOGIN_H}+${LOGIN_X}+${LOGIN_Y}" +repage \
    -depth 8 txt:- | awk -F'[,:() ]+' -v step=24 -v w="$LOGIN_W" -v h="$LOGIN_H" \
    -v px="$POPUP_X" -v py="$POPUP_Y" -v pw="$POPUP_W" -v ph="$POPUP_H" '
    NR > 1 && $1 % step < 5 && $2 % step < 5 { r[$1, $2] = $3; g[$1, $2] = $4; b[$1, $2] = $5 }
    function near(x, y, cx, cy) {
        return (x, y) in r && r[x, y] - r[cx, cy] <= 3 && r[cx, cy] - r[x, y] <= 3 &&
               g[x, y] - g[cx, cy] <= 3 && g[cx, cy] - g[x, y] <= 3 &&
               b[x, y] - b[cx, cy] <= 3 && b[cx, cy] - b[x, y] <= 3
    }
    END {
        for (cy = 2; cy < h; cy += step) for (cx = 2; cx < w; cx += step) {
            if (!((cx, cy) in r)) continue
            if (cx > px - 8 && cx < px + pw + 8 && cy > py - 8 && cy < py + ph + 8) continue
            if (r[cx, cy] < 40 && g[cx, cy] < 40 && b[cx, cy] < 40) continue
            cell = int(cx * 4 / w) "," int(cy * 4 / h)
            if (cell in taken) continue
            ok = 1
            for (dy = -2; dy <= 2 && ok; dy++) for (dx = -2; dx <= 2 && ok; dx++)
                if (!near(cx + dx, cy + dy, cx, cy)) ok = 0
            if (!ok) continue
            taken[cell] = 1
            printf "%d,%d=%02x%02x%02x\n", cx, cy, r[cx, cy], g[cx, cy], b[cx, cy]
        }
    }')
POINT_COUNT=$(echo "$POINTS" | grep -c = || true)
if [ "$POINT_COUNT" -lt 4 ]; then
    echo "bench-login: found only $POINT_COUNT stable pixels in the login picture" >&2
    exit 1
fi
echo "bench-login: login window at $LOGIN_X,$LOGIN_Y ${LOGIN_W}x$LOGIN_H;" \
    "$POINT_COUNT reference pixels:" $POINTS >&2

fresh_home
start "$SANDBOX_OFF" "$BENCH/bare-webview" "$LOGIN_URL"
wait_for --name bare-webview "window=$MARKER:0.5"
stop_current
rm -rf "$TEMPLATE"
mv "$HOME_DIR" "$TEMPLATE"

fresh_home
start "" zenity --question --text="$QUESTION"
wait_for --class zenity window=nonblack:0.9
stop_current

fresh_home
start_chromium
wait_for --class chromium "window=$MARKER:0.5"
stop_current

fresh_home
run_launcher_game
stop_current
start_bare_game
wait_for --name bare-webview "$GAME_CORNER=$GAME_MARKER:0.9"
stop_current
fresh_home
start_chromium "$GAME_LOGIN_URL"
wait_for --class chromium "window=$GAME_MARKER:0.5"
stop_current
rm -rf "$WORK"/chromium-profile-*

# --- the timed runs, alternating the programs -----------------------------
LOAD_BEFORE=$(cut -d' ' -f1-3 /proc/loadavg)
for series in window page pss zenity zenity_nobus bare bare_nobus bare_pss chromium chromium_pss \
    game game_pss bare_game chromium_game chromium_game_pss; do
    : >"$WORK/$series"
done
i=0
while [ "$i" -lt "$RUNS" ]; do
    i=$((i + 1))
    echo "bench-login: run $i of $RUNS" >&2

    fresh_home
    start "$SANDBOX_OFF" "$LAUNCHER"
    # shellcheck disable=SC2086
    wait_for --name "$TITLE" $POINTS --then --name "$TITLE" "$FORM=$MARKER:0.5"
    sed -n 1p "$WORK/wait.out" >>"$WORK/window"
    sed -n 2p "$WORK/wait.out" >>"$WORK/page"
    sleep "$SETTLE"
    tree_pss >>"$WORK/pss"
    stop_current

    fresh_home
    start "" zenity --question --text="$QUESTION"
    wait_for --class zenity window=nonblack:0.9
    cat "$WORK/wait.out" >>"$WORK/zenity"
    stop_current

    fresh_home
    start "$NO_BUS" zenity --question --text="$QUESTION"
    wait_for --class zenity window=nonblack:0.9
    cat "$WORK/wait.out" >>"$WORK/zenity_nobus"
    stop_current

    fresh_home
    start "$SANDBOX_OFF" "$BENCH/bare-webview" "$LOGIN_URL"
    wait_for --name bare-webview "window=$MARKER:0.5"
    cat "$WORK/wait.out" >>"$WORK/bare"
    sleep "$SETTLE"
    tree_pss >>"$WORK/bare_pss"
    stop_current

    fresh_home
    start "$SANDBOX_OFF $NO_BUS" "$BENCH/bare-webview" "$LOGIN_URL"
    wait_for --name bare-webview "window=$MARKER:0.5"
    cat "$WORK/wait.out" >>"$WORK/bare_nobus"
    stop_current

    fresh_home
    start_chromium
    wait_for --class chromium "window=$MARKER:0.5"
    cat "$WORK/wait.out" >>"$WORK/chromium"
    sleep "$SETTLE"
    tree_pss >>"$WORK/chromium_pss"
    stop_current
    rm -rf "$WORK"/chromium-profile-*

    fresh_home
    run_launcher_game
    cat "$WORK/wait.out" >>"$WORK/game"
    sleep "$SETTLE"
    tree_pss >>"$WORK/game_pss"
    stop_current

    # The same HOME: the launcher's login cookie is in its website data.
    start_bare_game
    wait_for --name bare-webview "$GAME_CORNER=$GAME_MARKER:0.9"
    cat "$WORK/wait.out" >>"$WORK/bare_game"
    stop_current

    fresh_home
    start_chromium "$GAME_LOGIN_URL"
    wait_for --class chromium "window=$GAME_MARKER:0.5"
    cat "$WORK/wait.out" >>"$WORK/chromium_game"
    sleep "$SETTLE"
    tree_pss >>"$WORK/chromium_game_pss"
    stop_current
    rm -rf "$WORK"/chromium-profile-*
done

# --- the table ------------------------------------------------------------
# median FILE [COLUMN]: the median of one column (default the first).
median() {
    awk -v c="${2:-1}" '{ print $c }' "$1" | sort -n |
        awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
runs() { tr '\n' ' ' <"$1" | sed 's/ $//'; }
# The runs of a memory file in MiB, PSS first.
mib_runs() { awk '{ printf "%s%.1f", (NR > 1 ? " " : ""), $1 / 1024 }' "$1"; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }

WINDOW=$(median "$WORK/window")
PAGE=$(median "$WORK/page")
ZENITY=$(median "$WORK/zenity")
ZENITY_NOBUS=$(median "$WORK/zenity_nobus")
BARE=$(median "$WORK/bare")
BARE_NOBUS=$(median "$WORK/bare_nobus")
CHROMIUM=$(median "$WORK/chromium")
PSS=$(median "$WORK/pss")
BARE_PSS=$(median "$WORK/bare_pss")
CHROMIUM_PSS=$(median "$WORK/chromium_pss")
USS=$(median "$WORK/pss" 3)
BARE_USS=$(median "$WORK/bare_pss" 3)
CHROMIUM_USS=$(median "$WORK/chromium_pss" 3)
GAME=$(median "$WORK/game")
BARE_GAME=$(median "$WORK/bare_game")
CHROMIUM_GAME=$(median "$WORK/chromium_game")
GAME_PSS=$(median "$WORK/game_pss")
CHROMIUM_GAME_PSS=$(median "$WORK/chromium_game_pss")
GAME_USS=$(median "$WORK/game_pss" 3)
CHROMIUM_GAME_USS=$(median "$WORK/chromium_game_pss" 3)
GAME_PROCS=$(median "$WORK/game_pss" 2)
CHROMIUM_GAME_PROCS=$(median "$WORK/chromium_game_pss" 2)
PROCS=$(median "$WORK/pss" 2)
BARE_PROCS=$(median "$WORK/bare_pss" 2)
CHROMIUM_PROCS=$(median "$WORK/chromium_pss" 2)

echo
echo "Login benchmark: medians of $RUNS runs, from exec to pixels on screen (Xvfb 1600x900x24, no window manager)"
echo "  load average before the runs: $LOAD_BEFORE; after: $(cut -d' ' -f1-3 /proc/loadavg) ($(nproc) cores)"
echo "  WebKitGTK $WEBKIT_VERSION (libwebkit2gtk-4.1-0 $WEBKIT_PACKAGE), chromium $CHROMIUM_VERSION"
echo "  WebKit programs run with WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS=1 (WebKit's sandbox cannot start in this container);"
echo "  chromium with --no-sandbox. The launcher starts on an existing install (a copy of a warmed-up HOME each run)."
echo "  Login URL: $LOGIN_URL"
echo
printf '  %-44s %10s   %s\n' "measure" "median" "runs"
printf '  %-44s %7.1f ms   [%s]\n' "launcher: login window on screen" "$WINDOW" "$(runs "$WORK/window")"
printf '  %-44s %7.1f ms   [%s]\n' "launcher: login page visible" "$PAGE" "$(runs "$WORK/page")"
printf '  %-44s %7.1f ms   [%s]\n' "zenity --question: box on screen" "$ZENITY" "$(runs "$WORK/zenity")"
printf '  %-44s %7.1f ms   [%s]\n' "zenity --question, no session bus" "$ZENITY_NOBUS" "$(runs "$WORK/zenity_nobus")"
printf '  %-44s %7.1f ms   [%s]\n' "bare WebKitGTK view: page visible" "$BARE" "$(runs "$WORK/bare")"
printf '  %-44s %7.1f ms   [%s]\n' "bare WebKitGTK view, no session bus" "$BARE_NOBUS" "$(runs "$WORK/bare_nobus")"
printf '  %-44s %7.1f ms   [%s]\n' "chromium --app: page visible" "$CHROMIUM" "$(runs "$WORK/chromium")"
printf '  %-44s %6s MiB   [%s]\n' "launcher PSS, $PROCS processes" "$(mib "$PSS")" "$(mib_runs "$WORK/pss")"
printf '  %-44s %6s MiB   [%s]\n' "bare WebKitGTK view PSS, $BARE_PROCS processes" "$(mib "$BARE_PSS")" "$(mib_runs "$WORK/bare_pss")"
printf '  %-44s %6s MiB   [%s]\n' "chromium PSS, $CHROMIUM_PROCS processes" "$(mib "$CHROMIUM_PSS")" "$(mib_runs "$WORK/chromium_pss")"
printf '  %-44s %s / %s / %s MiB\n' "USS (private) launcher / bare / chromium" "$(mib "$USS")" \
    "$(mib "$BARE_USS")" "$(mib "$CHROMIUM_USS")"
printf '  %-44s %7.1f ms   [%s]\n' "launcher: hand-over to game visible" "$GAME" "$(runs "$WORK/game")"
printf '  %-44s %7.1f ms   [%s]\n' "bare WebKitGTK view: game visible" "$BARE_GAME" "$(runs "$WORK/bare_game")"
printf '  %-44s %7.1f ms   [%s]\n' "chromium --app: login to game visible" "$CHROMIUM_GAME" \
    "$(runs "$WORK/chromium_game")"
printf '  %-44s %6s MiB   [%s]\n' "launcher PSS with the game, $GAME_PROCS processes" "$(mib "$GAME_PSS")" \
    "$(mib_runs "$WORK/game_pss")"
printf '  %-44s %6s MiB   [%s]\n' "chromium PSS with the game, $CHROMIUM_GAME_PROCS processes" \
    "$(mib "$CHROMIUM_GAME_PSS")" "$(mib_runs "$WORK/chromium_game_pss")"
printf '  %-44s %s / %s MiB\n' "USS (private) with the game: launcher / chromium" "$(mib "$GAME_USS")" \
    "$(mib "$CHROMIUM_GAME_USS")"
echo
printf '  %-44s %7s   %s\n' "ratio" "value" "target"
ratio() { # LABEL NUMERATOR DENOMINATOR [LIMIT]
    awk -v label="$1" -v a="$2" -v b="$3" -v limit="${4:-}" 'BEGIN {
        r = a / b
        if (limit == "") verdict = "(reported)"
        else verdict = sprintf("<= %.2f: %s", limit, r <= limit + 0 ? "met" : "MISSED")
        printf "  %-44s %7.2f   %s\n", label, r, verdict
    }'
}
ratio "login window on screen / zenity" "$WINDOW" "$ZENITY" 1.0
ratio "login page visible / bare WebKitGTK floor" "$PAGE" "$BARE" 1.05
ratio "login window on screen / zenity, no bus" "$WINDOW" "$ZENITY_NOBUS"
ratio "login page visible / bare, no bus" "$PAGE" "$BARE_NOBUS"
ratio "login page visible / chromium" "$PAGE" "$CHROMIUM"
ratio "launcher PSS / chromium PSS" "$PSS" "$CHROMIUM_PSS" 0.9
ratio "bare WebKitGTK PSS / chromium PSS" "$BARE_PSS" "$CHROMIUM_PSS"
ratio "launcher USS / chromium USS" "$USS" "$CHROMIUM_USS"
ratio "game visible after hand-over / bare floor" "$GAME" "$BARE_GAME" 1.2
ratio "launcher PSS / chromium PSS, with the game" "$GAME_PSS" "$CHROMIUM_GAME_PSS" 0.9
ratio "launcher USS / chromium USS, with the game" "$GAME_USS" "$CHROMIUM_GAME_USS"
