#!/usr/bin/env bash
# uninstall.sh PREFIX -- removes what "cmake --install" put under PREFIX:
# the files listed in PREFIX/lib/tilegames/install_manifest.txt, then the
# folders listed there (those the install made), each only once empty. A
# player's own folder under the data home is theirs and stays.
set -euo pipefail
prefix=${1:?usage: uninstall.sh PREFIX}
prefix=${prefix%/}
record=$prefix/lib/tilegames/install_manifest.txt
if [ ! -f "$record" ]; then
  echo "Nothing to uninstall: there is no $record" >&2
  exit 1
fi
# Only paths inside the prefix are touched, whatever the record says.
inside() { case "$1" in "$prefix"/*) [[ "$1" != *"/../"* ]] ;; "$prefix") true ;; *) false ;; esac; }
folders=()
files=0
while IFS= read -r line || [ -n "$line" ]; do
  case "$line" in
    ''|'#'*) continue ;;
    */) folders+=("${line%/}") ;;
    *)
      if ! inside "$line"; then
        echo "uninstall.sh: not inside $prefix, left alone: $line" >&2
        continue
      fi
      if [ -e "$line" ] || [ -L "$line" ]; then
        rm -f -- "$line"
        files=$((files + 1))
      fi ;;
  esac
done <"$record"
# The deepest folders first, so that a parent is empty when its turn comes.
removed=0
if [ ${#folders[@]} -gt 0 ]; then
  while IFS= read -r dir; do
    inside "$dir" || continue
    [ -d "$dir" ] && rmdir -- "$dir" 2>/dev/null && removed=$((removed + 1))
  done < <(printf '%s\n' "${folders[@]}" | awk '{ print length($0) "\t" $0 }' | sort -rn | cut -f2-)
fi
echo "Removed $files files and $removed folders from $prefix"
