#!/usr/bin/env bash
# Installs what the builds and the tests need on Debian 12, and nothing when
# everything is there already. Safe to run again and again.
set -euo pipefail

packages=(
  # Native build and unit tests
  g++ cmake ninja-build googletest libgtest-dev
  # Windows build and its tests under Wine, on a virtual display
  g++-mingw-w64-x86-64-posix mingw-w64 binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-utils fonts-ipafont-gothic imagemagick
  # Code page 932 under Wine needs the Japanese locale
  locales
  # Fuzz targets
  clang libclang-rt-14-dev
  # Real-file checks and the guide's drawings (run with /usr/bin/python3)
  python3 python3-ezdxf python3-matplotlib
  # Used by the scripts themselves
  procps file util-linux libc-bin coreutils
)
locales_wanted=(ja_JP.UTF-8 en_US.UTF-8)

as_root=()
if [[ $(id -u) -ne 0 ]]; then
  if ! command -v sudo >/dev/null; then
    echo "setup.sh: not root and no sudo; cannot install" >&2
    exit 1
  fi
  as_root=(sudo)
fi

installed=$(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null |
  awk '$2 == "installed" { print $1 }' || true)
missing=()
for name in "${packages[@]}"; do
  grep -qxF "$name" <<<"$installed" || missing+=("$name")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${as_root[@]}" apt-get update -qq -o DPkg::Lock::Timeout=300
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq -o Dpkg::Use-Pty=0 -o DPkg::Lock::Timeout=300 "${missing[@]}" >/dev/null
fi

# Locales: "ja_JP.UTF-8" is listed by `locale -a` as "ja_JP.utf8".
have_locales=$(locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]' | sed 's/-//g')
generate=()
for loc in "${locales_wanted[@]}"; do
  short=$(tr '[:upper:]' '[:lower:]' <<<"$loc" | sed 's/-//g')
  grep -qx "$short" <<<"$have_locales" || generate+=("$loc")
done
if [[ ${#generate[@]} -gt 0 ]]; then
  echo "setup: generating locales ${generate[*]}"
  for loc in "${generate[@]}"; do
    line="$loc ${loc#*.}"
    if grep -qE "^#? *${line}\$" /etc/locale.gen; then
      "${as_root[@]}" sed -i -E "s/^# *(${line})\$/\\1/" /etc/locale.gen
    else
      echo "$line" | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
    fi
  done
  "${as_root[@]}" locale-gen >/dev/null
fi
