#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
cmake --build "$BUILD"
ctest --test-dir "$BUILD" --output-on-failure -j "$(nproc)"
