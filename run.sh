#!/usr/bin/env bash
# Installs what is missing, builds, and starts Pellicorio. Arguments go to the program
# (a data folder, for example).
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
cmake --build "$BUILD" --target pellicorio
exec "$BUILD/pellicorio" "$@"
