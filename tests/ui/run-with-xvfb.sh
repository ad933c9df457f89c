#!/bin/sh
# run-with-xvfb.sh [--wm openbox] [--compositor xcompmgr] COMMAND [ARGS...]
#
# Runs COMMAND on a private X server (Xvfb, 1600x900, 24 bit) on a free
# display, optionally with the openbox window manager and a compositing
# manager, then stops them all. The window tests run once each way: window
# managers change focus and placement, a compositor turns window opacity
# on, and every setup must pass.
set -eu

WM=""
COMPOSITOR=""
while [ $# -gt 0 ]; do
    case "$1" in
        --wm) WM="$2"; shift 2 ;;
        --compositor) COMPOSITOR="$2"; shift 2 ;;
        *) break ;;
    esac
done

# Xvfb picks a free display itself and reports its number on a pipe.
DISPLAY_FIFO=$(mktemp -u /tmp/vostra-xvfb-XXXXXX)
mkfifo "$DISPLAY_FIFO"
Xvfb -displayfd 3 -screen 0 1600x900x24 -nolisten tcp -noreset 3>"$DISPLAY_FIFO" 2>/dev/null &
XVFB_PID=$!
read -r NUMBER <"$DISPLAY_FIFO"
rm -f "$DISPLAY_FIFO"
export DISPLAY=":$NUMBER"

WM_PID=""
COMPOSITOR_PID=""
cleanup() {
    [ -n "$COMPOSITOR_PID" ] && kill "$COMPOSITOR_PID" 2>/dev/null
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

if [ -n "$COMPOSITOR" ]; then
    "$COMPOSITOR" >/dev/null 2>&1 &
    COMPOSITOR_PID=$!
    # It claims the compositing-manager selection at once; the shell has
    # no way to ask for a selection's owner, so give it a moment.
    sleep 0.5
fi

# GTK under a bare server: no accessibility bus, no session bus services.
export NO_AT_BRIDGE=1
export GTK_A11Y=none
# Nor a session bus: GLib would start one of its own (X11 autolaunch) that
# outlives the test.
export DBUS_SESSION_BUS_ADDRESS="${DBUS_SESSION_BUS_ADDRESS:-disabled:}"
export VOSTRA_UI_WM="${WM:-none}${COMPOSITOR:+-$COMPOSITOR}"
"$@"
