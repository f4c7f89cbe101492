#!/usr/bin/env bash
# The arrows between the folders, checked on every #include of ours:
#   calc      includes nothing of ours but calc
#   runtime   includes nothing of ours but runtime
#   catalogue may include calc
#   ui        may include calc, catalogue and runtime
#   app       may include ui and runtime
# and calc and catalogue include no Qt header; the windows the main window opens know it only by
# its face (ui/main/main_window_face.h), never by its class; and no unit (a header and its
# source) reaches itself again through its includes: each can be read, built and tested on top of
# those it includes.
# Prints each include that goes against them, and each loop, and fails when there is one.
#   include_rules.sh SOURCE_DIR
set -u
cd "$1" || exit 2

allowed() {
  case "$1" in
    calc) echo "calc" ;;
    runtime) echo "runtime" ;;
    catalogue) echo "catalogue calc" ;;
    ui) echo "ui catalogue calc runtime" ;;
    app) echo "app ui runtime" ;;
  esac
}

includes() {
  grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]+$2" "$1" \
    --include='*.h' --include='*.cpp' 2>/dev/null
}

ours="calc catalogue runtime ui app"
found=0
for folder in $ours; do
  while IFS= read -r hit; do
    target=$(sed -E 's/.*include[[:space:]]+"([a-z_]+)\/.*/\1/' <<<"$hit")
    case " $ours " in *" $target "*) ;; *) continue ;; esac
    case " $(allowed "$folder") " in
      *" $target "*) ;;
      *) echo "$folder/ may not include $target/: $hit"; found=1 ;;
    esac
  done < <(includes "$folder" '"[a-z_]+/')
done
for folder in calc catalogue; do
  while IFS= read -r hit; do
    echo "$folder/ may not include Qt: $hit"; found=1
  done < <(includes "$folder" '<Q')
done
for folder in ui/schematic ui/search; do
  while IFS= read -r hit; do
    echo "$folder/ may not include the main window's class: $hit"; found=1
  done < <(includes "$folder" '"ui/main/form1\.h"')
done

# Each include of ours as an arrow between units, for tsort, which names the units of a loop.
arrows() {
  for folder in $ours; do
    grep -rHE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[a-z0-9_/]+\.h"' "$folder" \
      --include='*.h' --include='*.cpp' 2>/dev/null |
      sed -E 's/^([^:]+)\.(h|cpp):.*include[[:space:]]+"([a-z0-9_/]+)\.h".*/\1 \3/'
  done
}
if ! loops=$(arrows | tsort 2>&1 >/dev/null); then
  echo "units that include each other:"
  echo "$loops" | grep -v 'input contains a loop'
  found=1
fi
exit "$found"
