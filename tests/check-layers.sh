#!/usr/bin/env bash
# Fails when a source file includes a folder above its own. The folders in the order they may
# include each other: a folder includes itself and those before it, never one after it.
set -u
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root" || exit 2
order=(toolkit foldertree icons export dialogs app)

rank() { # folder -> its place in the order, or nothing for a folder outside it
  local i
  for i in "${!order[@]}"; do [ "${order[$i]}" = "$1" ] && { echo "$i"; return; }; done
}

checked=0 faults=0
for folder in "${order[@]}"; do
  own=$(rank "$folder")
  while IFS=: read -r file line text; do
    included=${text#*\"}; included=${included%%/*}
    other=$(rank "$included")
    [ -n "$other" ] || continue
    checked=$((checked + 1))
    if [ "$other" -gt "$own" ]; then
      echo "$file:$line: $folder/ includes $included/, which is above it"
      faults=$((faults + 1))
    fi
  done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"/]+/' -r "$folder" --include='*.cpp' --include='*.h')
done

# A check that saw no include at all proves nothing.
if [ "$checked" -eq 0 ]; then echo "no includes between the folders found under $root"; exit 1; fi
echo "$checked includes between the folders checked, $faults going upward"
[ "$faults" -eq 0 ]
