#!/bin/sh
# Runs a test under openbox in the X server of xvfb-run, so that windows kept
# above the others and window positions behave as on a desktop. The test
# starts once openbox says it is ready (its start-up command has run).
ready=$(mktemp -u)
openbox --sm-disable --startup "touch $ready" >"$ready.log" 2>&1 &
wm=$!
tries=0
until [ -e "$ready" ]; do
    if [ $((tries += 1)) -gt 400 ] || ! kill -0 "$wm" 2>/dev/null; then
        echo "openbox did not start:" >&2; cat "$ready.log" >&2; kill "$wm" 2>/dev/null; exit 1
    fi
    sleep 0.05
done
"$@"
status=$?
kill "$wm"; wait "$wm" 2>/dev/null; rm -f "$ready" "$ready.log"
exit "$status"
