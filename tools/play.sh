#!/usr/bin/env bash
# Builds the game and starts it.
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
zarvel_install_missing "${ZARVEL_GAME_PACKAGES[@]}"
zarvel_build --target zarvel
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "zarvel: built $ZARVEL_BUILD/zarvel, but there is no display to show it on." >&2
  echo "zarvel: start it from a desktop session, or without one: xvfb-run $ZARVEL_BUILD/zarvel (Debian package xvfb)" >&2
  exit 1
fi
exec "$ZARVEL_BUILD/zarvel"
