#!/usr/bin/env bash
# Fails when a source folder includes a header of a folder above it. The
# folders of src/, from the bottom up; folders on one line are peers:
#   platform, widgets, project, captions output, editor capture, app
# main.cpp, at the top of src/, may include anything.
#   tests/layers.sh [SRC_DIR]
set -euo pipefail
src="${1:-$(dirname "$0")/../src}"
declare -A level=([platform]=0 [widgets]=1 [project]=2 [captions]=3 [output]=3
                  [editor]=4 [capture]=4 [app]=5)
status=0
for folder in "${!level[@]}"; do
    [[ -d "$src/$folder" ]] || continue
    while IFS=: read -r file line text; do
        included="${text#*\"}"
        included="${included%%/*}"
        [[ -n "${level[$included]+set}" ]] || continue
        if (( level[$included] > level[$folder] )); then
            echo "${file#"$src"/}:$line: $folder/ includes $included/, a layer above it"
            status=1
        fi
    done < <(grep -rn '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$src/$folder" || true)
done
[[ $status -eq 0 ]] && echo "Includes follow the layers."
exit $status
