#!/usr/bin/env bash
# Runs a Windows program under Wine: `wine-run.sh PROGRAM.exe [ARGS...]`.
#
# The MinGW toolchain (cmake/mingw-w64.cmake) makes this the emulator of the
# cross build, so ctest starts every .exe test through it. The program's exit
# status, stdout and stderr come back unchanged.
#
# Environment:
#   VORBEL_WINEPREFIX  the project's own Wine prefix (default
#                      $HOME/.cache/vorbel-wine); made with `wineboot -i` on
#                      first use, under a lock, so parallel first runs are safe.
#   DISPLAY            the X display for the program's windows. Callers that run
#                      many programs (scripts/test.sh) start one Xvfb and set it.
#                      Without it this script starts an Xvfb of its own and stops
#                      it, and the Wine processes, when the program has ended.
#   VORBEL_XVFB_SCREEN the size of that Xvfb's screen, WIDTHxHEIGHT (default
#                      1280x1024).
#   LC_ALL / LANG      pick Wine's code pages: ja_JP.UTF-8 gives the ANSI code
#                      page 932, en_US.UTF-8 or C.UTF-8 gives 1252.
#   WINEDEBUG          -all unless set.
#
# scripts/test.sh sources this file for its functions; run, it calls main.

vorbel_wine_env() {
  local home=${HOME:-}
  if [[ -z "$home" ]]; then
    home=$(getent passwd "$(id -u)" | cut -d: -f6)
  fi
  export WINEPREFIX="${VORBEL_WINEPREFIX:-$home/.cache/vorbel-wine}"
  export WINEARCH=win64
  export WINEDEBUG="${WINEDEBUG:--all}"
  # No Mono or Gecko: their installers would stop at a dialog.
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}mscoree,mshtml="
}

# Makes the prefix once. A prefix is complete when its marker file exists; a
# half-made one (an interrupted first run) is brought up to date again.
vorbel_wine_prefix() {
  local marker="$WINEPREFIX/.vorbel-prefix-ready-2"
  [[ -f "$marker" ]] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [[ ! -f "$marker" ]]; then
      local log="$WINEPREFIX.log" mode=-i
      [[ -f "$WINEPREFIX/system.reg" ]] && mode=-u
      # A crashing program ends at once instead of waiting at Wine's crash
      # dialog until the test's time runs out.
      if ! wineboot "$mode" >"$log" 2>&1 ||
        ! wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >>"$log" 2>&1 ||
        ! wineserver -w >>"$log" 2>&1; then
        echo "wine-run.sh: could not make the Wine prefix $WINEPREFIX (see $log)" >&2
        exit 1
      fi
      touch "$marker"
    fi
  ) 9>"$WINEPREFIX.lock"
}

# Starts Xvfb on a free display as a child of the calling shell; sets
# VORBEL_XVFB_PID and exports DISPLAY. The screen is VORBEL_XVFB_SCREEN
# (WIDTHxHEIGHT) large, 1280x1024 unless set.
vorbel_start_xvfb() {
  local fdfile display='' i
  fdfile=$(mktemp)
  # -displayfd: the server takes the first free display and writes its number.
  Xvfb -displayfd 3 -screen 0 "${VORBEL_XVFB_SCREEN:-1280x1024}x24" -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  VORBEL_XVFB_PID=$!
  for ((i = 0; i < 100; i++)); do
    display=$(head -n 1 "$fdfile")
    [[ -n "$display" ]] && break
    kill -0 "$VORBEL_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$fdfile"
  if [[ -z "$display" ]]; then
    vorbel_stop_xvfb
    echo "wine-run.sh: Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$display"
}

vorbel_stop_xvfb() {
  [[ -n "${VORBEL_XVFB_PID:-}" ]] || return 0
  kill "$VORBEL_XVFB_PID" 2>/dev/null && wait "$VORBEL_XVFB_PID" 2>/dev/null
  VORBEL_XVFB_PID=
  return 0
}

# Ends the programs with these process ids, then Wine's own processes (they
# leave a few seconds after the programs) and the Xvfb this shell started.
vorbel_end_session() {
  local pid
  for pid in "$@"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  timeout 30 wineserver -w >/dev/null 2>&1 || wineserver -k >/dev/null 2>&1 || true
  vorbel_stop_xvfb
}

main() {
  if [[ $# -eq 0 ]]; then
    echo "usage: wine-run.sh PROGRAM.exe [ARGS...]" >&2
    exit 2
  fi
  vorbel_wine_env
  if [[ -n "${DISPLAY:-}" ]]; then
    vorbel_wine_prefix || exit 125
    exec wine "$@"
  fi

  local status=0
  trap vorbel_stop_xvfb EXIT
  vorbel_start_xvfb || exit 125
  if vorbel_wine_prefix; then
    wine "$@" || status=$?
    # Wine's own processes leave a few seconds after the program's have
    # ended; then the display can go.
    timeout 60 wineserver -w >/dev/null 2>&1 || wineserver -k >/dev/null 2>&1
  else
    status=125
  fi
  exit "$status"
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
  set -uo pipefail
  main "$@"
fi
