#!/usr/bin/env bash
# Checks the layers: each source folder includes only its own layer and the
# layers below it, every quoted include names a project folder, and the
# folders include each other in no cycle, of two folders or more.
set -euo pipefail
cd "$1"

# The handler folders are ordered too: playback/ builds on library/, and
# desktop/ on playback/ and panel/.
declare -A layer=(
    [base]=1 [player]=1
    [controls]=2
    [windows]=3
    [library]=4 [panel]=4 [playlist]=4 [windowmanagement]=4
    [playback]=5
    [desktop]=6
    [app]=7
)

failed=0
declare -A uses=()
for folder in "${!layer[@]}"; do
    while IFS=: read -r file included; do
        [[ -n "$file" ]] || continue
        target=${included%%/*}
        if [[ $included != */* || -z "${layer[$target]:-}" ]]; then
            echo "$file includes \"$included\", which names no project folder"
            failed=1
            continue
        fi
        [[ "$target" != "$folder" ]] || continue
        uses["$folder>$target"]=1
        if ((layer[$target] > layer[$folder])) ||
            [[ $folder == base && $target == player ]] || [[ $folder == player && $target != base ]]; then
            echo "$file includes $included, from a layer above or beside its own"
            failed=1
        fi
    done < <(grep -o '#include "[^"]*"' "$folder"/*.h "$folder"/*.cpp |
        sed 's/#include "//; s/"$//')
done
# No folders include each other, in pairs or round a longer cycle: tsort
# names the folders of a cycle.
if ! loop=$({ printf '%s\n' "${!uses[@]}" | tr '>' ' ' | tsort >/dev/null; } 2>&1); then
    # tsort says "tsort: -: input contains a loop:", then one folder a line.
    echo "folders include each other in a cycle:$(sed -n 's/^tsort: \([a-z]*\)$/ \1/p' <<<"$loop" | tr -d '\n')"
    failed=1
fi
((failed == 0)) && echo "layers: every folder includes only its own layer and those below"
exit $failed
