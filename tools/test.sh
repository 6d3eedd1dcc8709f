#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test: the unit and widget tests,
# the checks of the sources and pictures, the real-window suite on Xvfb (label e2e) beside
# two busy processes; then, in build-sanitize/, the plain C++ tests under AddressSanitizer
# and UndefinedBehaviorSanitizer and a bounded fuzz run of the saved-game reader (label
# fuzz), built with clang.
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
# Beyond the game: GoogleTest, clang-format; clang and its fuzzing runtime for build-sanitize;
# an X server, a window manager, the X libraries for XTEST and ImageMagick for the real-window
# suite, D-Bus, at-spi2-core and libatspi for its screen reader, Orca to hear the game as a
# blind player does, and xdotool and x11-utils for looking at a failing run of it by hand.
zarvel_install_missing "${ZARVEL_GAME_PACKAGES[@]}" libgtest-dev clang-format \
  clang libclang-rt-dev xvfb openbox libx11-dev libxtst-dev imagemagick xdotool x11-utils \
  desktop-file-utils appstream libxml2-utils shared-mime-info dbus-daemon at-spi2-core \
  libatspi2.0-dev orca
# Every time, whoever configured ./build before: the tests, the real-window suite and the
# layout check are asked for, so that a missing part stops the run instead of being left out.
zarvel_configure -DZARVEL_TESTS=ON -DZARVEL_E2E=ON -DZARVEL_FORMAT_CHECK=ON
zarvel_build
# A run that finds no test fails: a suite left out is no pass.
ctest --test-dir "$ZARVEL_BUILD" --output-on-failure --parallel "$(nproc)" --no-tests=error -LE e2e

# The real-window suite runs beside two busy processes, as on a loaded machine, so that a
# wait that a busy machine outruns fails here. They are bounded in time and ended by id.
load=()
for _ in 1 2; do
  timeout 1200 sh -c 'while :; do :; done' &
  load+=("$!")
done
trap 'kill "${load[@]}" 2>/dev/null || true' EXIT
ctest --test-dir "$ZARVEL_BUILD" --output-on-failure --parallel "$(nproc)" --no-tests=error -L e2e
kill "${load[@]}" 2>/dev/null || true
trap - EXIT

sanitize="$ZARVEL_ROOT/build-sanitize"
if [ ! -f "$sanitize/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$ZARVEL_ROOT" -B "$sanitize" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARVEL_WERROR=ON -DZARVEL_QT=OFF \
    -DZARVEL_SANITIZE=ON -DZARVEL_FUZZ=ON
fi
cmake --build "$sanitize" --parallel "$(nproc)"
# The plain tests run alongside the fuzzer, which keeps one core busy for its whole run.
ctest --test-dir "$sanitize" --output-on-failure --parallel "$(nproc)" --no-tests=error \
  -E '^(floors|format)$'

# The game in a web browser: the plain tests in WebAssembly and the page in headless
# Chromium, built in build-web/ by a script of their own.
bash "$ZARVEL_ROOT/tools/test-web.sh"
