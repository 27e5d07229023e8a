#!/usr/bin/env bash
# Keeps the folders in the order CMake builds them: a layer includes only itself and the
# layers before it, and no two files include each other (a header and its source count as
# one). Usage: check_layers.sh SRC_DIR LAYER...
set -euo pipefail
src=$1
shift
layers=("$@")
failed=0

rank() {
  local i
  for i in "${!layers[@]}"; do
    if [[ ${layers[$i]} == "$1" ]]; then
      echo "$i"
      return
    fi
  done
  echo -1
}

cd "$src"
for layer in "${layers[@]}"; do
  own=$(rank "$layer")
  while IFS=: read -r file target; do
    used=$(rank "${target%%/*}")
    # Generated headers (the version) belong to no layer.
    if ((used > own)); then
      echo "$file includes $target: '${target%%/*}' is built after '$layer'"
      failed=1
    fi
  done < <(grep -rHoE '^#include "[^"]+"' --include='*.h' --include='*.cpp' "$layer" |
    sed -E 's/:#include "/:/; s/"$//')
done

# Each unit (a header and its source) with the units it includes.
edges=$(grep -rHoE '^#include "[^"]+"' --include='*.h' --include='*.cpp' "${layers[@]}" |
  sed -E 's/:#include "/ /; s/"$//; s/\.(h|cpp) / /; s/\.h$//' | awk '$1 != $2' | sort -u)
pairs=$(awk 'NR == FNR { e[$1 " " $2] = 1; next } ($2 " " $1) in e && $1 < $2 { print $1 " <-> " $2 }' \
  <(echo "$edges") <(echo "$edges"))
if [[ -n $pairs ]]; then
  echo "files that include each other:"
  echo "$pairs"
  failed=1
fi
exit "$failed"
