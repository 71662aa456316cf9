#!/usr/bin/env bash
# Checks the layers: each source folder includes only its own layer and the
# layers below it, and no two folders include each other.
set -euo pipefail
cd "$1"

declare -A layer=(
    [base]=1 [player]=1
    [controls]=2
    [windows]=3
    [library]=4 [playback]=4 [panel]=4 [playlist]=4 [windowmanagement]=4 [desktop]=4
    [app]=5
)

failed=0
declare -A uses=()
for folder in "${!layer[@]}"; do
    while IFS=: read -r file included; do
        [[ -n "$file" ]] || continue
        target=${included%%/*}
        [[ -n "${layer[$target]:-}" && "$target" != "$folder" ]] || continue
        uses["$folder>$target"]=1
        if ((layer[$target] > layer[$folder])) ||
            [[ $folder == base && $target == player ]] || [[ $folder == player && $target != base ]]; then
            echo "$file includes $included, from a layer above or beside its own"
            failed=1
        fi
    done < <(grep -o '#include "[a-z]*/[a-z0-9]*\.h"' "$folder"/*.h "$folder"/*.cpp |
        sed 's/#include "//; s/"$//')
done
for pair in "${!uses[@]}"; do
    a=${pair%>*}
    b=${pair#*>}
    if [[ -n "${uses[$b>$a]:-}" && "$a" < "$b" ]]; then
        echo "$a and $b include each other"
        failed=1
    fi
done
((failed == 0)) && echo "layers: every folder includes only its own layer and those below"
exit $failed
