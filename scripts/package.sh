#!/usr/bin/env bash
# Builds the release package a drafter picks up:
#
#   bash scripts/package.sh
#
# writes dist/vorbel-VERSION-win64.zip and dist/vorbel-VERSION-win64.zip.sha256.
# The zip holds one folder, vorbel-VERSION/, with vorbel.exe and vorbel-dxf.exe
# (Release, stripped, statically linked), readme.txt (docs/guide-ja.md as code
# page 932 text with CR LF) and LICENSE.txt, and nothing else: the program
# writes its settings file beside itself on its first exit.
#
# VERSION is the project's version in CMakeLists.txt. Sets up the machine and
# builds with the preset mingw (build/mingw) first, as the other scripts do.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
python=/usr/bin/python3

bash scripts/setup.sh

version=$(cmake -P cmake/version.cmake)
name=vorbel-$version-win64

mkdir -p build/logs
log=build/logs/package-build.log
if ! { cmake --preset mingw && cmake --build --preset mingw -j2 --target vorbel vorbel-dxf; } >"$log" 2>&1; then
  tail -n 40 "$log"
  echo "package.sh: build failed; log: $log" >&2
  exit 1
fi

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
folder=$stage/vorbel-$version
mkdir -p "$folder"
for exe in build/mingw/src/app/vorbel.exe build/mingw/tools/vorbel-dxf/vorbel-dxf.exe; do
  x86_64-w64-mingw32-strip -o "$folder/$(basename "$exe")" "$exe"
done
"$python" scripts/render_guide.py docs/guide-ja.md "$folder/readme.txt"
# The licence, then the notices of what the programs are linked with.
{ cat LICENSE; echo; cat THIRD-PARTY-NOTICES; } | sed 's/$/\r/' >"$folder/LICENSE.txt"

mkdir -p dist
rm -f "dist/$name.zip" "dist/$name.zip.sha256"
(cd "$stage" && "$python" -c '
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as z:
    for path in sys.argv[2:]:
        z.write(path)
' "$root/dist/$name.zip" "vorbel-$version/vorbel.exe" "vorbel-$version/vorbel-dxf.exe" \
  "vorbel-$version/readme.txt" "vorbel-$version/LICENSE.txt")
(cd dist && sha256sum "$name.zip" >"$name.zip.sha256")
echo "dist/$name.zip"
