# Sourced by play.sh and test.sh: installs what the build needs, then configures and
# builds the given targets in ./build. Stops with a clear message when it cannot.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/packages.sh"

ZARVEL_BUILD="$ZARVEL_ROOT/build"
# What building and running the game needs.
ZARVEL_GAME_PACKAGES=(cmake g++ ninja-build qt6-base-dev qt6-translations-l10n fonts-liberation)

# Configures ./build with the given options; without any, only when it has not been yet, and
# then with the tests left out: their packages may not be there, and the test command asks
# for them.
zarvel_configure() {
  if [ "$#" -eq 0 ] && [ -f "$ZARVEL_BUILD/CMakeCache.txt" ]; then return 0; fi
  [ "$#" -gt 0 ] || set -- -DZARVEL_TESTS=OFF
  cmake -S "$ZARVEL_ROOT" -B "$ZARVEL_BUILD" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARVEL_WERROR=ON "$@"
}

zarvel_build() {
  zarvel_configure
  cmake --build "$ZARVEL_BUILD" --parallel "$(nproc)" "$@"
}
