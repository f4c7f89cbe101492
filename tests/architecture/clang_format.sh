#!/usr/bin/env bash
# Every C++ file of ours is laid out as the repository's .clang-format says, so that a change
# shows only what it changes. Prints what clang-format would change, and fails when there is any:
# `clang-format -i FILES` puts it right.
#   clang_format.sh SOURCE_DIR
set -euo pipefail
cd "$1"

if ! command -v clang-format >/dev/null 2>&1; then
  echo "clang_format.sh: clang-format is missing: run scripts/bootstrap" >&2
  exit 1
fi

if [ ! -f .clang-format ]; then
  echo "clang_format.sh: no .clang-format in $PWD" >&2
  exit 1
fi

mapfile -d '' files < <(find calc catalogue runtime ui app tests bench fuzz assets -type f \
                          \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
if [ "${#files[@]}" -eq 0 ]; then
  echo "clang_format.sh: no C++ file found under $PWD" >&2
  exit 1
fi

# Two at a time: the whole unit tier has ten seconds.
if ! said=$(printf '%s\0' "${files[@]}" |
              xargs -0 -n 16 -P 2 clang-format --style=file --dry-run --Werror 2>&1); then
  printf '%s\n' "$said"
  echo
  echo "Not laid out as .clang-format says (clang-format -i puts them right):"
  grep -oE '^[^:[:space:]]+\.(cpp|h):[0-9]+' <<<"$said" | cut -d: -f1 | sort -u | sed 's/^/  /'
  exit 1
fi
echo "${#files[@]} files laid out as .clang-format says"
