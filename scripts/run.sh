#!/usr/bin/env bash
# Starts what Vorbel is for: vorbel.exe beside the stand-in CAD (cadsim.exe)
# under Wine, the stand-in with a drawing open, ready to select, edit and
# update its texts.
#
#   bash scripts/run.sh [DRAWING.dxf]
#
# With a display ($DISPLAY set and reachable) both windows open side by side
# and the script waits until you have closed them: press "選択" in Vorbel,
# pick texts in the stand-in's plan or list and press Enter on its command
# line, edit the lines, press "更新".
#
# Without a display it starts a virtual one and takes a scripted tour:
# select every object, number the lines (and add one), update, select again.
# After each step it photographs the screen; the pictures, the drawing after
# the update and a listing of its texts go to build/run/.
#
# Builds the Windows programs with the preset mingw (build/mingw); set
# VORBEL_RUN_BUILD to another folder to use a build of one's own there. Wine
# uses the project's prefix (scripts/wine-run.sh, $VORBEL_WINEPREFIX).
set -euo pipefail
# A drawing named on the command line is found from where the command was given.
if [[ $# -gt 0 ]]; then
  if [[ ! -f "$1" ]]; then
    echo "run.sh: no drawing $1" >&2
    exit 2
  fi
  input=$(realpath "$1")
fi
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
input=${input:-$root/../shared/dxf-corpus/jwcad_r001rt_three_texts.dxf}
out=build/run
name=$(basename "${input%.*}")
# vorbel.dxf is Vorbel's exchange file beside it.
[[ "$name" != vorbel ]] || name=vorbel-drawing
targets=(vorbel cadsim vorbel-tour)

bash scripts/setup.sh

build=${VORBEL_RUN_BUILD:-}
if [[ -z "$build" ]]; then
  build=build/mingw
  configure=(cmake --preset mingw)
  compile=(cmake --build --preset mingw -j2 --target "${targets[@]}")
else
  configure=(cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake"
    -DCMAKE_BUILD_TYPE=Release)
  compile=(cmake --build "$build" -j2 --target "${targets[@]}")
fi
echo "== build ($build: ${targets[*]})"
mkdir -p build/logs "$out"
log=build/logs/run-build.log
if ! { "${configure[@]}" && "${compile[@]}"; } >"$log" 2>&1; then
  tail -n 40 "$log"
  echo "build failed; log: $log" >&2
  exit 1
fi
[[ "$build" == /* ]] || build="$root/$build"
cadsim="$build/tools/cadsim/cadsim.exe"
tour="$build/tools/tour/vorbel-tour.exe"

# Vorbel runs from build/run, so its settings file (vorbel.ini) and its
# exchange file with the CAD (vorbel.dxf) are there. The stand-in opens a copy
# of the drawing; the original is never written.
cp "$build/src/app/vorbel.exe" "$out/vorbel.exe"
[[ "$input" -ef "$out/$name.dxf" ]] || cp "$input" "$out/$name.dxf"
cd "$out"

# shellcheck source=scripts/wine-run.sh
source "$root/scripts/wine-run.sh"
vorbel_wine_env
# A Japanese Windows (code page 932), as Vorbel and the CAD program it drives
# are made for; fonts with Japanese glyphs are chosen for their windows.
export LC_ALL=ja_JP.UTF-8

cad_pid=
vorbel_pid=
# shellcheck disable=SC2034 # set and read by wine-run.sh's functions
VORBEL_XVFB_PID=
# shellcheck disable=SC2086 # the ids are words, or none
cleanup() { vorbel_end_session $cad_pid $vorbel_pid; }
trap cleanup EXIT
trap 'exit 130' INT TERM

interactive=false
if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
  interactive=true
else
  echo "== no display: a virtual one for the tour"
  vorbel_start_xvfb
fi
vorbel_wine_prefix

# Vorbel to the right of the stand-in's main window (960 pixels wide), with
# the list in coordinate order. A settings file of an earlier interactive run
# keeps the place its user chose.
if ! $interactive || [[ ! -f vorbel.ini ]]; then
  printf '[Form]\r\nLeft=975\r\nTop=10\r\n[Sort]\r\nChecked=1\r\n' >vorbel.ini
fi

wine "$cadsim" "$name.dxf" >/dev/null 2>&1 &
cad_pid=$!
wine vorbel.exe >/dev/null 2>&1 &
vorbel_pid=$!

if $interactive; then
  echo "== vorbel.exe and cadsim.exe on $name.dxf (display $DISPLAY); close both windows to end"
  wait "$cad_pid" "$vorbel_pid" || true
  cad_pid=
  vorbel_pid=
  echo "ended; Vorbel's settings and exchange file are in $PWD"
  exit 0
fi

# The tour: one step of vorbel-tour at a time, the screen photographed after
# each. The tour prints code page 932; shown and kept in UTF-8.
shots=()
shoot() {
  import -display "$DISPLAY" -window root "tour-$1.png"
  shots+=("$PWD/tour-$1.png")
}
step() {
  local status=0
  wine "$tour" "$@" 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r' || status=$?
  if [[ $status -ne 0 ]]; then
    shoot failed
    echo "run.sh: the tour's step '$1' failed; the screen then: ${shots[-1]}" >&2
    exit 1
  fi
}
rm -f tour-*.png "$name-updated.dxf" "$name-updated-texts.txt"

echo "== tour on $name.dxf (virtual display $DISPLAY)"
step wait
shoot 1-started
step select
shoot 2-listed
step renumber
shoot 3-edited
# Every object was picked: Update asks before it draws objects other than
# texts again; the tour answers yes.
step ask
shoot 4-asked
step answer yes
step save "Z:$PWD/$name-updated.dxf" | tee "$name-updated-texts.txt"
shoot 5-updated
step select
shoot 6-listed-again
step close >/dev/null
wait "$cad_pid" "$vorbel_pid" || true
cad_pid=
vorbel_pid=

echo
echo "screenshots (the stand-in on the left, Vorbel on the right):"
printf '  %s\n' "${shots[@]}"
echo "the drawing after the update: $PWD/$name-updated.dxf"
echo "its texts:                    $PWD/$name-updated-texts.txt"
