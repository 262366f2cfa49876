#!/usr/bin/env bash
# Installs the Debian 12 packages a task needs, and nothing else:
#   scripts/setup.sh run    building and running the two programs (scripts/run.sh)
#   scripts/setup.sh        the above and everything the tests use (scripts/test.sh): test
#                           libraries, benchmarks, clang for fuzzing, Xvfb and the accessibility
#                           bus, the Windows cross-build and Wine, the packaging validators
# Only what is missing is installed, so a prepared machine is left alone.
set -euo pipefail

run_packages=(
  cmake g++ make
  qt6-base-dev libgl-dev libcli11-dev
)
test_packages=(
  pkg-config python3
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth x11-utils hyperfine locales
  openbox dbus-daemon dbus-bin at-spi2-core python3-pyatspi xdotool
  g++-mingw-w64-x86-64-posix googletest wine64 wine
  dpkg-dev file appstream desktop-file-utils man-db groff-base bash-completion
)

packages=("${run_packages[@]}")
if [ "${1:-test}" != run ]; then
  packages+=("${test_packages[@]}")
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

[ "${1:-test}" = run ] && exit 0

# The locale tests need a locale with a decimal comma.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  echo "setup: generating de_DE.UTF-8"
  if [ -f /etc/locale.gen ] && grep -q '^# *de_DE.UTF-8' /etc/locale.gen; then
    as_root sed -i 's/^# *de_DE.UTF-8/de_DE.UTF-8/' /etc/locale.gen
  elif ! grep -q '^de_DE.UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'de_DE.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  fi
  as_root locale-gen
fi
