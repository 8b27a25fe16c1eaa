#!/usr/bin/env bash
# desktop_session.sh <program> [argument...]
#
# Runs a test program on a real X server with a window manager, where windows get a frame and a title bar
# (the offscreen platform has neither): Xvfb on a free display, openbox on it, then the program on the xcb
# platform. Xvfb and openbox are stopped by their PIDs whatever happens; every wait is bounded.
set -euo pipefail

for tool in Xvfb openbox; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps)" >&2; exit 1; }
done

scratch=$(mktemp -d)
xvfb=
wm=
stop() {
    local pid=$1
    [ -n "$pid" ] || return 0
    kill -TERM "$pid" 2>/dev/null || return 0
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
}
cleanup() {
    stop "$wm"
    stop "$xvfb"
    rm -rf "$scratch"
}
trap cleanup EXIT

# waits up to ten seconds for a file to have content
await() {
    for _ in $(seq 100); do
        [ -s "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

# Xvfb picks a free display itself and writes its number once it takes clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" >"$scratch/xvfb.log" 2>&1 &
xvfb=$!
await "$scratch/display" || { cat "$scratch/xvfb.log" >&2; echo "FAIL: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$scratch/display")

# openbox runs its start-up command once it manages the screen. Its cache and settings stay in the scratch folder.
XDG_CACHE_HOME=$scratch XDG_CONFIG_HOME=$scratch XDG_DATA_HOME=$scratch \
    openbox --sm-disable --startup "sh -c 'echo ready >$scratch/ready'" >"$scratch/openbox.log" 2>&1 &
wm=$!
await "$scratch/ready" || { cat "$scratch/openbox.log" >&2; echo "FAIL: openbox did not start" >&2; exit 1; }

status=0
QT_QPA_PLATFORM=xcb timeout --kill-after=5 100 "$@" || status=$?
exit "$status"
