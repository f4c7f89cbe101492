#!/usr/bin/env bash
# Runs a command as a screen reader's user runs programs: on a D-Bus session of its own whose
# accessibility bus (AT-SPI) is switched on, as a screen reader switches it on, and on an X server
# of its own (Xvfb). Qt then sends its accessibility events, which the tests catch. What Xvfb says
# goes to the standard error, so that an X server that does not start says why.
#   on_screen_reader_bus.sh COMMAND [ARGUMENTS...]
set -euo pipefail
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR="${TMPDIR:-/tmp}/vireldo-a11y-$(id -u)"
  mkdir -p "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
fi
exec dbus-run-session -- bash -c '
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
    variant:boolean:true >/dev/null
  exec xvfb-run -a -e /dev/stderr -s "-screen 0 1280x1024x24" "$@"' on_screen_reader_bus "$@" 2> >(grep -v -E "dbus-daemon|fd limit|SpiRegistry|AT-SPI" >&2)
