#!/usr/bin/env bash
# Runs a command on the current X server with Openbox managing its windows, as on a desktop:
#   under_openbox.sh COMMAND [ARGUMENTS...]
# Waits until Openbox manages the screen, runs the command and returns its status. What Openbox
# says on its standard error is printed when it does not start or the command fails.
set -euo pipefail

# A loaded machine (the whole suite at -j 2) can take seconds to start Openbox.
readonly start_seconds=30

said=$(mktemp -t under_openbox.XXXXXX)
openbox --sm-disable >/dev/null 2>"$said" &
wm=$!
finish() {
  kill "$wm" 2>/dev/null || true
  wait "$wm" 2>/dev/null || true
  rm -f "$said"
}
trap finish EXIT

tell() {
  echo "under_openbox.sh: $*" >&2
  if [ -s "$said" ]; then
    echo "under_openbox.sh: Openbox said:" >&2
    sed 's/^/  /' "$said" >&2
  fi
}

# Openbox names its check window on the root window once it manages the screen.
managing() {
  check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>&1) && grep -q 'window id' <<<"$check"
}
deadline=$((SECONDS + start_seconds))
until managing; do
  if ! kill -0 "$wm" 2>/dev/null; then
    tell "Openbox ended before it managed the screen (xprop: $check)"
    exit 1
  fi
  if [ "$SECONDS" -ge "$deadline" ]; then
    tell "Openbox did not manage the screen within $start_seconds s (xprop: $check)"
    exit 1
  fi
  sleep 0.1
done

status=0
"$@" || status=$?
if [ "$status" -ne 0 ]; then
  tell "$1 ended with status $status"
fi
exit "$status"
