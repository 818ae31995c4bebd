#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite twice: in the normal
# build, then in a build with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/).
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
cmake --build "$BUILD"
ctest --test-dir "$BUILD" --output-on-failure -j "$(nproc)"

SANITIZE_BUILD="$ROOT/build-asan"
cmake -S "$ROOT" -B "$SANITIZE_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLICORIO_SANITIZE=ON \
  -DPELLICORIO_BUILD_BENCH=OFF >/dev/null
cmake --build "$SANITIZE_BUILD"
ctest --test-dir "$SANITIZE_BUILD" --output-on-failure -j "$(nproc)"
