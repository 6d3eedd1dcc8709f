#!/usr/bin/env bash
# Measures the start of the game against an empty Qt window built the same way, in turn on
# one Xvfb of its own: processor time to the first paint and memory two seconds after the
# start, medians of 9 runs each (or RUNS).
#   bash tools/start-bench.sh [RUNS [GAME]]    (GAME: another build of the game to measure)
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
zarvel_install_missing "${ZARVEL_GAME_PACKAGES[@]}" xvfb libx11-dev libxdamage-dev
zarvel_configure
# A build/ configured before libxdamage-dev was there looks for it again.
cmake "$ZARVEL_BUILD" >/dev/null
zarvel_build --target zarvel zarvel-empty-window zarvel-start-bench
game=${2:-$ZARVEL_BUILD/zarvel}

exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
read -r -u "$fd" display
DISPLAY=":$display" "$ZARVEL_BUILD/ui/zarvel-start-bench" "$game" \
  "$ZARVEL_BUILD/ui/zarvel-empty-window" "${1:-9}"
