#!/usr/bin/env bash
# Runs a command on the current X display with openbox managing its windows, and ends openbox after.
set -uo pipefail
ready="$(mktemp -u)"
# openbox runs its start-up command once it manages the display.
openbox --sm-disable --startup "touch $ready" >/dev/null 2>&1 &
wm=$!
until [ -e "$ready" ]; do
  kill -0 "$wm" 2>/dev/null || { echo "openbox did not start" >&2; exit 1; }
  sleep 0.1
done
rm -f "$ready"
"$@"
rc=$?
kill "$wm"
wait "$wm" 2>/dev/null
exit "$rc"
