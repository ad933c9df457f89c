#!/bin/sh
# run-with-xvfb.sh [--wm openbox] COMMAND [ARGS...]
#
# Runs COMMAND on a private X server (Xvfb, 1600x900, 24 bit) on a free
# display, optionally with the openbox window manager, then stops both.
# The window tests run once each way: window managers change focus and
# placement, and both setups must pass.
set -eu

WM=""
if [ "${1:-}" = "--wm" ]; then
    WM="$2"
    shift 2
fi

# Xvfb picks a free display itself and reports its number on a pipe.
DISPLAY_FIFO=$(mktemp -u /tmp/vostra-xvfb-XXXXXX)
mkfifo "$DISPLAY_FIFO"
Xvfb -displayfd 3 -screen 0 1600x900x24 -nolisten tcp -noreset 3>"$DISPLAY_FIFO" 2>/dev/null &
XVFB_PID=$!
read -r NUMBER <"$DISPLAY_FIFO"
rm -f "$DISPLAY_FIFO"
export DISPLAY=":$NUMBER"

WM_PID=""
cleanup() {
    [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null
    kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null || true
}
trap cleanup EXIT INT TERM

if [ -n "$WM" ]; then
    "$WM" >/dev/null 2>&1 &
    WM_PID=$!
    # Ready once it has claimed the screen's window-manager selection.
    for _ in $(seq 1 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.05
    done
fi

# GTK under a bare server: no accessibility bus, no session bus services.
export NO_AT_BRIDGE=1
export GTK_A11Y=none
export VOSTRA_UI_WM="${WM:-none}"
"$@"
