#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test.
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
zarvel_build
ctest --test-dir "$ZARVEL_BUILD" --output-on-failure --parallel "$(nproc)"
