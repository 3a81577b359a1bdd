#!/usr/bin/env bash
# Makes the pictures of the Japanese guide (docs/guide-ja.md) in docs/images/:
#
#   bash scripts/screenshots.sh
#
# vorbel.exe runs beside the stand-in CAD (cadsim.exe) under Wine, on a
# virtual display of its own, in the Japanese locale with the IPA fonts. The
# tour (tools/tour) works them on a small parking plan whose labels were
# copied: select the labels, renumber them from the pop-up menu, append one,
# look at the preview an emptied line opens (and cancel it), update, then make
# the labels of the second row. Each picture is the screen cut to one window.
# The plan itself is drawn from the stand-in's saved DXF before and after the
# update and after the Make (scripts/guide_drawings.py).
#
# Builds vorbel, cadsim and vorbel-tour with the preset mingw; works in
# build/screenshots/. Wine uses the project's prefix (scripts/wine-run.sh).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
images=$root/docs/images
work=$root/build/screenshots
python=/usr/bin/python3

bash scripts/setup.sh

echo "== build (build/mingw: vorbel cadsim vorbel-tour)"
mkdir -p build/logs
log=build/logs/screenshots-build.log
if ! { cmake --preset mingw && cmake --build --preset mingw -j2 --target vorbel cadsim vorbel-tour; } >"$log" 2>&1; then
  tail -n 40 "$log"
  echo "build failed; log: $log" >&2
  exit 1
fi
tour=$root/build/mingw/tools/tour/vorbel-tour.exe

rm -rf "$work"
mkdir -p "$work" "$images"
cp build/mingw/src/app/vorbel.exe "$work/"
"$python" scripts/guide_drawings.py sample "$work/駐車場.dxf"
# Vorbel to the right of the stand-in's main window, the list in coordinate
# order.
printf '[Form]\r\nLeft=966\r\nTop=10\r\n[Sort]\r\nChecked=1\r\n' >"$work/vorbel.ini"
cd "$work"

# Wine writes the character set of the locale a prefix is made in into the
# prefix's system fonts: in a prefix made in another locale the pop-up menu
# and the message boxes show Japanese as boxes. The pictures have a prefix of
# their own, made in the Japanese locale.
export VORBEL_WINEPREFIX=${VORBEL_WINEPREFIX:-$HOME/.cache/vorbel-wine-ja}
# shellcheck source=scripts/wine-run.sh
source "$root/scripts/wine-run.sh"
vorbel_wine_env
export LC_ALL=ja_JP.UTF-8

cad_pid=
vorbel_pid=
# shellcheck disable=SC2034 # set and read by wine-run.sh's functions
VORBEL_XVFB_PID=
# shellcheck disable=SC2086 # the ids are words, or none
cleanup() { vorbel_end_session $cad_pid $vorbel_pid; }
trap cleanup EXIT
trap 'exit 130' INT TERM
unset DISPLAY
# The preview of an update is centred over the main window, which stands at
# the right of the stand-in: on a screen 1280 wide it would reach beyond the
# right edge. The other windows stand where they stand on that screen.
VORBEL_XVFB_SCREEN=1600x1024 vorbel_start_xvfb
vorbel_wine_prefix
# A white desktop where a menu reaches beyond its window, set once Wine has
# made its prefix. (display sets the root window's background and still ends
# with status 1.)
convert -size 8x8 xc:white desktop.png
display -window root desktop.png || true

# One step of the tour; its output (code page 932) in UTF-8.
step() {
  local out
  if ! out=$(wine "$tour" "$@" 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r'); then
    echo "screenshots.sh: the tour's step '$*' failed: $out" >&2
    exit 1
  fi
  printf '%s\n' "$out"
}
# shot NAME tool|dialog|both: the screen cut to that frame, as
# docs/images/NAME.png.
shot() {
  local frame
  frame=$(step frame "$2")
  sleep 0.5 # the windows' last paint
  import -display "$DISPLAY" -window root screen.png
  # A window reaching beyond the screen would be cut in the picture.
  local width height left top screen
  IFS='x+' read -r width height left top <<<"$frame"
  screen=$(identify -format '%w %h' screen.png)
  if ((left < 0 || top < 0 || left + width > ${screen% *} || top + height > ${screen#* })); then
    echo "screenshots.sh: $1 ($frame) reaches beyond the screen (${screen/ /x})" >&2
    exit 1
  fi
  convert screen.png -crop "$frame" +repage -strip "$images/$1.png"
  echo "  docs/images/$1.png ($frame)"
}
# drawing NAME CAPTION: the saved drawing NAME.dxf as docs/images/drawing-NAME.png.
drawing() {
  "$python" "$root/scripts/guide_drawings.py" render "$1.dxf" "$images/drawing-$1.png" "$2"
  echo "  docs/images/drawing-$1.png"
}

wine "$root/build/mingw/tools/cadsim/cadsim.exe" 駐車場.dxf >/dev/null 2>&1 &
cad_pid=$!
wine vorbel.exe >/dev/null 2>&1 &
vorbel_pid=$!

echo "== pictures (virtual display $DISPLAY)"
step wait >/dev/null
shot main-empty tool
step select P- >/dev/null
shot main-listed tool
shot beside both
step save "Z:$PWD/before.dxf" >/dev/null
step menu >/dev/null
shot popup-menu tool
step menu add 1=10 >/dev/null
shot dialog-add dialog
step cancel >/dev/null
step menu replace 1=P- 2=B- >/dev/null
shot dialog-replace dialog
step cancel >/dev/null
step menu renumber 1=1 >/dev/null
shot dialog-renumber dialog
step run >/dev/null
shot main-renumbered tool
step menu sequence kind=丸数字 5=5 >/dev/null
shot dialog-kinds dialog
step cancel >/dev/null
step menu sequence 5=1 >/dev/null
shot dialog-sequence dialog
edited=$(step run)
mapfile -t lines < <(sed -n 's/^  //p' <<<"$edited")
shot main-edited tool
# The second line emptied: 更新 would erase its text, so the preview opens by
# itself; cancelled, it leaves the lines as they were, which come back.
emptied=("${lines[@]}")
emptied[1]=
step lines "${emptied[@]}" >/dev/null
asked=$(step ask)
if [[ $asked != *preview* ]]; then
  echo "screenshots.sh: the preview did not open: $asked" >&2
  exit 1
fi
shot update-preview dialog
step answer no >/dev/null
step lines "${lines[@]}" >/dev/null
step update "Z:$PWD/updated.dxf" >/dev/null
step select P- >/dev/null
step lines P-6 P-7 P-8 P-9 P-10 >/dev/null
shot main-make tool
step make 8.5,-78 >/dev/null
step save "Z:$PWD/made.dxf" >/dev/null
step close >/dev/null
wait "$cad_pid" "$vorbel_pid" || true
cad_pid=
vorbel_pid=

drawing before 更新前
drawing updated 更新後
drawing made 作成後
