#!/bin/sh
# Runs a test program's real-window tests on the display xvfb-run gave it: under openbox when the
# first argument is "openbox", without a window manager when it is "none". The tests read
# KSXT_WINDOW_MANAGER to know which.
set -u
wm=$1
shift
if [ "$wm" = openbox ]; then
    openbox --sm-disable >/dev/null 2>&1 &
    wm_pid=$!
    # The tests need the manager in charge before their first window maps.
    tries=0
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ]; then
            echo "openbox did not start" >&2
            kill "$wm_pid" 2>/dev/null
            exit 1
        fi
        sleep 0.05
    done
fi
KSXT_WINDOW_MANAGER=$wm QT_QPA_PLATFORM=xcb "$@"
rc=$?
[ "$wm" = openbox ] && kill "$wm_pid" 2>/dev/null
exit $rc
