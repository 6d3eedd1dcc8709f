#!/usr/bin/env bash
# The web page's tests: the plain C++ tests built to WebAssembly and run under Node (those
# that need the system's files, users or processes left out, see tests/CMakeLists.txt), then
# the browser tests in Debian's Chromium, headless, driven by playwright-core.
source "$(dirname "${BASH_SOURCE[0]}")/web-build.sh"
zarvel_web_setup
zarvel_web_build zarvel_core_tests
ctest --test-dir "$ZARVEL_WEB_BUILD" --output-on-failure -L wasm
ZARVEL_SITE="$ZARVEL_SITE" node --test "$ZARVEL_ROOT/tests/web/"*.test.mjs
