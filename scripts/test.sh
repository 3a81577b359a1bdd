#!/usr/bin/env bash
# The project's test command: bash scripts/test.sh
#
#   1. scripts/setup.sh installs what is missing (Debian 12).
#   2. Preset "native": build, then ctest.
#   3. Preset "mingw": build, then ctest under Wine twice, with
#      LC_ALL=ja_JP.UTF-8 (ANSI code page 932) and LC_ALL=en_US.UTF-8 (1252),
#      on one Xvfb display started here.
#   4. Further steps, each when its file exists:
#        tests/fuzz/replay.sh --junit FILE
#        /usr/bin/python3 tests/realfiles/check_corpus.py \
#            --native build/native --mingw build/mingw --junit FILE
#        /usr/bin/python3 tests/package/check_package.py --mingw build/mingw --junit FILE
#          (builds the release package with scripts/package.sh and checks it)
#   5. scripts/summarize.py counts build/results/**/*.xml; its last line,
#      "N passed, N failed", is the last line of this command.
#
# Results: every GoogleTest program writes JUnit XML into
# build/results/<run>/ (GTEST_OUTPUT; Z:<path> under Wine). ctest's own report
# adds what that XML cannot show (programs without it, crashes, timeouts).
#
# Contract of the further steps (4):
#   - run from the project root, with the arguments shown and `--junit FILE`;
#   - write JUnit XML to FILE (FILE's folder exists): one <testcase> per
#     check, with a <failure> child when it failed and <skipped> when it was
#     not run;
#   - exit 0 when everything passed, non-zero otherwise;
#   - DISPLAY and the Wine variables (WINEPREFIX ...) are set and a wineserver
#     runs: start a Windows program with `bash scripts/wine-run.sh PROG.exe`,
#     choosing the code page with LC_ALL;
#   - a step that exits non-zero without a failure in its XML (or without
#     XML) counts as one failed test.
#
# Logs of the builds and steps: build/logs/. Exit status 0 only when every
# build succeeded and no test failed.

set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1
root=$PWD
results=$root/build/results
logs=$root/build/logs
python=/usr/bin/python3
failed_steps=0

# shellcheck source=scripts/wine-run.sh
source "$root/scripts/wine-run.sh"

rm -rf "$results" "$logs"
mkdir -p "$results" "$logs"

section() { printf '\n== %s\n' "$*"; }

# bg_run COMMAND...: runs the command in a session of its own and waits for
# it. Ctrl-C or SIGTERM then reaches this script at once (a command in the
# foreground that handles SIGINT itself, like ninja or ctest, would keep the
# trap from running), and cleanup ends the command's whole process group.
child=
bg_run() {
  local status=0
  setsid "$@" &
  child=$!
  wait "$child" || status=$?
  child=
  return "$status"
}

summarize() { "$python" "$root/scripts/summarize.py" "$@"; }

# record_step DIR NAME STATUS LOG: counts a failed step that left no failure
# in its results.
record_step() {
  local dir=$1 name=$2 status=$3 log=$4
  ((status == 0)) && return 0
  failed_steps=$((failed_steps + 1))
  mkdir -p "$dir"
  summarize step --dir "$dir" --name "$name" --status "$status" --log "$log"
}

show_errors() {
  local pattern='error:|error [A-Z]+[0-9]+|CMake Error|FAILED:|undefined reference|No such file'
  if grep -qE "$pattern" "$1"; then
    grep -E -A4 "$pattern" "$1" | head -n 60
  else
    tail -n 40 "$1"
  fi
}

# build PRESET: configures and builds quietly; the log is shown on failure.
build() {
  local preset=$1 log=$logs/build-$1.log start=$SECONDS status=0
  section "build $preset"
  # shellcheck disable=SC2016 # expanded by the inner bash
  bg_run bash -c 'cmake --preset "$1" && cmake --build --preset "$1" -j2' build "$preset" >"$log" 2>&1 ||
    status=$?
  if ((status == 0)); then
    echo "ok ($((SECONDS - start)) s)"
    return 0
  fi
  echo "FAILED ($((SECONDS - start)) s), log: ${log#"$root"/}"
  show_errors "$log"
  record_step "$results/build-$preset" "build-$preset" "$status" "$log"
  return 1
}

# run_ctest RUN PRESET [VAR=VALUE...]: one ctest run, results in build/results/RUN.
run_ctest() {
  local run=$1 preset=$2 status=0
  shift 2
  local dir=$results/$run junit=$logs/$run.ctest-junit.xml listing=$logs/$run.tests.json
  local xml_dir=$dir
  [[ $preset == mingw ]] && xml_dir="Z:$dir"
  mkdir -p "$dir"
  section "tests $run${*:+ ($*)}"
  ctest --preset "$preset" --show-only=json-v1 >"$listing" 2>/dev/null
  bg_run env "$@" GTEST_OUTPUT="xml:$xml_dir/" ctest --preset "$preset" --output-junit "$junit" ||
    status=$?
  summarize ctest-extra --dir "$dir" --ctest-junit "$junit" --tests-json "$listing"
  record_step "$dir" "ctest-$run" "$status" "$junit"
}

# run_step NAME RESULT_SUBDIR COMMAND...: a further step, given --junit FILE.
run_step() {
  local name=$1 dir=$results/$2 status=0
  shift 2
  mkdir -p "$dir"
  section "$name"
  # shellcheck disable=SC2016 # expanded by the inner bash
  bg_run bash -c 'log=$1; shift; set -o pipefail; "$@" 2>&1 | tee "$log"' step \
    "$logs/$name.log" "$@" --junit "$dir/$name.xml" || status=$?
  record_step "$dir" "$name" "$status" "$logs/$name.log"
}

# Wine: one Xvfb for all runs; a persistent wineserver per run, started with
# its output on /dev/null so that no test's output pipe stays open behind it.
wine_ready=0
start_wineserver() {
  env "$@" wineserver -p >/dev/null 2>&1 </dev/null
  env "$@" timeout 120 wine cmd.exe /c exit >/dev/null 2>&1 </dev/null
}
stop_wineserver() {
  wineserver -k >/dev/null 2>&1
  timeout 30 wineserver -w >/dev/null 2>&1
  return 0
}
start_wine() {
  local start=$SECONDS made=''
  section "Wine"
  vorbel_wine_env
  if ! vorbel_start_xvfb; then
    record_step "$results/wine" wine 1 /dev/null
    return 1
  fi
  [[ -f "$WINEPREFIX/.vorbel-prefix-ready" ]] || made=" (made now)"
  if ! vorbel_wine_prefix; then
    cat "$WINEPREFIX.log"
    record_step "$results/wine" wine 1 "$WINEPREFIX.log"
    return 1
  fi
  wine_ready=1
  echo "display $DISPLAY, prefix $WINEPREFIX$made, $((SECONDS - start)) s"
}
cleanup() {
  if [[ -n "$child" ]]; then
    kill -TERM -- "-$child" 2>/dev/null
    wait "$child" 2>/dev/null
    child=
  fi
  if ((wine_ready)); then
    stop_wineserver
    wine_ready=0
  fi
  vorbel_stop_xvfb
}
trap cleanup EXIT
trap 'echo "interrupted" >&2; exit 130' INT TERM

section "setup"
setup_status=0
bash "$root/scripts/setup.sh" || setup_status=$?
((setup_status == 0)) && echo "ok"
record_step "$results/setup" setup "$setup_status" /dev/null

if build native; then
  run_ctest native native
fi

if build mingw && start_wine; then
  for loc in ja_JP.UTF-8 en_US.UTF-8; do
    start_wineserver LC_ALL="$loc"
    run_ctest "mingw-${loc%%_*}" mingw LC_ALL="$loc"
    stop_wineserver
  done
fi

if [[ -f tests/fuzz/replay.sh ]]; then
  run_step replay fuzz bash tests/fuzz/replay.sh
fi
if [[ -f tests/realfiles/check_corpus.py ]]; then
  ((wine_ready)) && start_wineserver
  run_step check_corpus realfiles "$python" tests/realfiles/check_corpus.py \
    --native build/native --mingw build/mingw
fi
if [[ -f tests/package/check_package.py ]]; then
  run_step check_package package "$python" tests/package/check_package.py --mingw build/mingw
fi

cleanup
section "summary"
summary=$(summarize "$results")
summary_status=$?
printf '%s\n' "$summary"
if ! [[ ${summary##*$'\n'} =~ ^[0-9]+\ passed,\ [0-9]+\ failed ]]; then
  # The results could not be counted (no Python?): the run cannot pass.
  echo "0 passed, 1 failed"
  exit 1
fi
((summary_status == 0 && failed_steps == 0))
