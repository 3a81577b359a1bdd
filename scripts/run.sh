#!/usr/bin/env bash
# Shows the program at work: builds the native preset and lets vorbel-dxf
# list the texts of a drawing, then write an update of it in which every
# line has its number in front.
#
#   bash scripts/run.sh [DRAWING.dxf]
#
# The texts are code page 932 bytes; they are shown here in UTF-8. The files
# go to build/run/.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

input=${1:-../shared/dxf-corpus/ezdxf_text_alignments.dxf}
tool=build/native/tools/vorbel-dxf/vorbel-dxf
out=build/run
name=$(basename "${input%.*}")

bash scripts/setup.sh

echo "== build (preset native)"
mkdir -p build/logs "$out"
log=build/logs/run-build.log
if ! { cmake --preset native && cmake --build --preset native -j2 --target vorbel-dxf; } >"$log" 2>&1; then
  tail -n 40 "$log"
  echo "build failed; log: $log" >&2
  exit 1
fi

show() { iconv -f CP932 -t UTF-8 "$1" | tr -d '\r' | sed 's/^/    /'; }

"$tool" list "$input" >"$out/$name-lines.txt"
echo "== texts of $input"
show "$out/$name-lines.txt"

# Number the lines: "1 " before the first, "2 " before the second ...
LC_ALL=C awk 'BEGIN { RS = "\r\n"; ORS = "\r\n" } { print NR " " $0 }' \
  "$out/$name-lines.txt" >"$out/$name-renumbered.txt"
"$tool" update "$input" "$out/$name-renumbered.txt" "$out/$name-renumbered.dxf"

"$tool" list "$out/$name-renumbered.dxf" >"$out/$name-renumbered-lines.txt"
echo "== texts of the update file $out/$name-renumbered.dxf"
show "$out/$name-renumbered-lines.txt"
if cmp -s "$input" "$out/$name-renumbered.dxf"; then
  echo "(the update file is the drawing unchanged: an update rewrites only TEXT entities that have a handle)"
fi
echo
echo "update file: $PWD/$out/$name-renumbered.dxf"
