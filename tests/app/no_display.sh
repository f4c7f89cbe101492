#!/usr/bin/env bash
# The program started where there is no display to draw on: it says so in one French line on the
# standard error, with the way to start it without a screen, and ends with status 1 (Qt by
# itself would abort with advice to reinstall). Without DISPLAY, and with one that answers not;
# "-platform offscreen" is given too, and must change nothing.
#   no_display.sh PROGRAM
set -u
program="$1"
failed=0
for display in "" ":97"; do
  if [ -z "$display" ]; then
    run=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program")
  else
    run=(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$program")
  fi
  said=$("${run[@]}" -platform offscreen 2>&1 >/dev/null)
  status=$?
  lines=$(printf '%s\n' "$said" | wc -l)
  if [ "$status" -ne 1 ] || [ "$lines" -ne 1 ] || ! grep -q "aucun écran" <<<"$said" ||
     ! grep -q "xvfb-run -a" <<<"$said"; then
    echo "DISPLAY='$display': status $status (1 expected), $lines line(s) (1 expected):"
    printf '%s\n' "$said"
    failed=1
  fi
done
# A platform that does not exist is no missing display: Qt's own words say what is wrong.
said=$(env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=nosuchplatform DISPLAY=:97 "$program" 2>&1 >/dev/null)
status=$?
if [ "$status" -ne 1 ] || grep -q "aucun écran" <<<"$said" || ! grep -q "nosuchplatform" <<<"$said"; then
  echo "QT_QPA_PLATFORM=nosuchplatform: status $status (1 expected), Qt's words expected:"
  printf '%s\n' "$said"
  failed=1
fi
exit "$failed"
