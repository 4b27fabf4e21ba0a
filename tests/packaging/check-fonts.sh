#!/usr/bin/env bash
# The bundled typefaces regenerate byte for byte from the packages named in their note. Skipped
# (77) where those exact package versions, or the tools, are not installed.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
fonts=$root/assets/fonts
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for tool in hb-subset fc-scan; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed"; exit 77; }
done
/usr/bin/python3 -c 'import fontTools' 2>/dev/null || { echo "SKIP: no python3-fonttools"; exit 77; }
# Rows of the note's table: | file | family | style | source | face | package | version | ...
while IFS='|' read -r _ file _ _ _ _ package version _; do
    package=$(echo $package) version=$(echo $version)
    installed=$(dpkg-query -W -f='${Version}' "$package" 2>/dev/null || true)
    if [ "$installed" != "$version" ]; then
        echo "SKIP: $(echo $file) was made from $package $version, installed: ${installed:-none}"
        exit 77
    fi
done < <(grep -E '^\| [a-z-]+\.(ttf|otf) ' "$fonts/SOURCES.md")

"$root/tools/fonts/subset-fonts" "$work" >/dev/null
count=0
for file in "$fonts"/*; do
    cmp "$file" "$work/$(basename "$file")" || { echo "FAIL: $(basename "$file") differs"; exit 1; }
    count=$((count + 1))
done
[ "$(ls "$work" | wc -l)" -eq "$count" ] || { echo "FAIL: the script makes other files"; exit 1; }
echo "$count files regenerate byte for byte"
