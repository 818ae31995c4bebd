#!/usr/bin/env bash
# Installs the Debian packages the build needs (when missing) and configures build/.
# Sourced by run.sh and test.sh.
set -euo pipefail

PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
          libjpeg62-turbo-dev libjpeg-turbo-progs libcurl4-openssl-dev libcpp-httplib-dev libblkid-dev
          xvfb xauth openbox fonts-dejavu-core desktop-file-utils appstream dpkg-dev qt6-translations-l10n locales
          nlohmann-json3-dev libicu-dev libssl-dev ca-certificates openssl)

if [ "$(id -u)" -eq 0 ]; then SUDO=""; elif command -v sudo >/dev/null; then SUDO="sudo"; else SUDO="none"; fi
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$SUDO" = none ]; then
    echo "Missing packages and no root rights: ${missing[*]}" >&2; exit 1
  fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
