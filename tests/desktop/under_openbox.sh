#!/usr/bin/env bash
# Runs a command on the current X server with Openbox managing its windows, as on a desktop:
#   under_openbox.sh COMMAND [ARGUMENTS...]
# Waits until Openbox manages the screen, runs the command and returns its status.
set -euo pipefail

openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null || true' EXIT

for _ in $(seq 100); do
  if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
    break
  fi
  sleep 0.05
done
if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
  echo "under_openbox.sh: Openbox did not start" >&2
  exit 1
fi

status=0
"$@" || status=$?
exit "$status"
