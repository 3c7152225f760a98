#!/bin/sh
# Runs a test under openbox in the X server of xvfb-run, so that windows kept
# above the others and window positions behave as on a desktop.
log=$(mktemp)
openbox --sm-disable >"$log" 2>&1 &
wm=$!
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    tries=$((tries + 1))
    if [ "$tries" -gt 200 ] || ! kill -0 "$wm" 2>/dev/null; then
        echo "openbox did not start:" >&2; cat "$log" >&2; kill "$wm" 2>/dev/null; exit 1
    fi
    sleep 0.05
done
"$@"
status=$?
kill "$wm"; wait "$wm" 2>/dev/null; rm -f "$log"
exit "$status"
