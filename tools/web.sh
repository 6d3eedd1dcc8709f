#!/usr/bin/env bash
# Builds the game's web page into build-web/site/ and serves it at http://127.0.0.1:8765/
# until stopped (Ctrl+C). With --build-only it only builds.
source "$(dirname "${BASH_SOURCE[0]}")/web-build.sh"
case "${1:-}" in
  "" | --build-only) ;;
  *)
    echo "usage: bash tools/web.sh [--build-only]" >&2
    exit 2
    ;;
esac
zarvel_web_setup
zarvel_web_build
[ "${1:-}" = --build-only ] && exit 0
exec node "$ZARVEL_ROOT/web/serve.mjs" "$ZARVEL_SITE" 8765
