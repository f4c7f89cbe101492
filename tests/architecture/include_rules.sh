#!/usr/bin/env bash
# The arrows between the folders, checked on every #include of ours:
#   calc      includes nothing of ours but calc
#   runtime   includes nothing of ours but runtime
#   catalogue may include calc and runtime
#   ui        may include calc, catalogue and runtime
#   app       may include ui and runtime
# Prints each include that goes against them and fails when there is one.
#   include_rules.sh SOURCE_DIR
set -u
cd "$1" || exit 2

allowed() {
  case "$1" in
    calc) echo "calc" ;;
    runtime) echo "runtime" ;;
    catalogue) echo "catalogue calc runtime" ;;
    ui) echo "ui catalogue calc runtime" ;;
    app) echo "app ui runtime" ;;
  esac
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
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[a-z_]+/' "$folder" \
             --include='*.h' --include='*.cpp' 2>/dev/null)
done
exit "$found"
