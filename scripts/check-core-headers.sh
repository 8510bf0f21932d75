#!/usr/bin/env bash
# Fails when a source file of formulon_core, or a project header that one of
# them includes (directly or through other headers), includes a wxWidgets header.
# Usage: check-core-headers.sh <source root> <file listing the core sources>
set -euo pipefail
root=$1
list=$2
declare -A seen=()
queue=()
while IFS= read -r f; do
  [ -n "$f" ] && queue+=("$f")
done <"$list"
bad=0
while [ "${#queue[@]}" -gt 0 ]; do
  f=${queue[0]}
  queue=("${queue[@]:1}")
  [ -n "${seen[$f]:-}" ] && continue
  seen[$f]=1
  path="$root/$f"
  [ -f "$path" ] || continue
  if grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]wx/' "$path"; then
    echo "core file includes a toolkit header: $f" >&2
    bad=1
  fi
  while IFS= read -r inc; do
    [ -f "$root/src/$inc" ] && queue+=("src/$inc")
  done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/p' "$path")
done
[ "$bad" -eq 0 ] && echo "checked ${#seen[@]} core files: no toolkit headers"
exit "$bad"
