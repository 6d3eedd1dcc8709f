# Sourced by play.sh and test.sh: installs what the build needs, then configures and
# builds the given targets in ./build. Stops with a clear message when it cannot.
set -euo pipefail

ZARVEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ZARVEL_BUILD="$ZARVEL_ROOT/build"

zarvel_install_missing() {
  local missing=()
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  [ "${#missing[@]}" -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "zarvel: these packages are missing: ${missing[*]}" >&2
    echo "zarvel: install them as root, then run this command again:" >&2
    echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
  echo "zarvel: installing ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}

zarvel_build() {
  # The second line serves the real-window tests (label e2e): an X server of their own,
  # a window manager, the X libraries for XTEST, ImageMagick for the reference pictures,
  # and xdotool and x11-utils for looking at a failing run by hand.
  zarvel_install_missing cmake g++ ninja-build qt6-base-dev qt6-translations-l10n \
    libgtest-dev fonts-liberation \
    xvfb openbox libx11-dev libxtst-dev imagemagick xdotool x11-utils
  if [ ! -f "$ZARVEL_BUILD/CMakeCache.txt" ]; then
    cmake -S "$ZARVEL_ROOT" -B "$ZARVEL_BUILD" -G Ninja \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARVEL_WERROR=ON
  fi
  cmake --build "$ZARVEL_BUILD" --parallel "$(nproc)" "$@"
}
