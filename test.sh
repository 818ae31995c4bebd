#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite: in the normal build
# (its widget tests offscreen, then again under a real X server), then in a build with
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/).
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
# The tests run Qt's windows under an English locale too, to show they still speak Italian.
if ! locale -a 2>/dev/null | grep -qx 'en_US.utf8'; then
  if [ "$SUDO" = none ]; then
    echo "The locale en_US.UTF-8 is missing and there are no root rights to make it" >&2; exit 1
  fi
  # Kept in locale.gen, so that a later locale-gen does not take it away again.
  $SUDO sed -i 's/^# *\(en_US.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -qx 'en_US.UTF-8 UTF-8' /etc/locale.gen || echo 'en_US.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen
fi

cmake --build "$BUILD"
# Offscreen whatever the desktop this runs on.
QT_QPA_PLATFORM=offscreen ctest --test-dir "$BUILD" --output-on-failure -j "$(nproc)"

# The widget tests again on Xvfb through the xcb platform: the clipboard through X selections,
# focus and modality through a real window system. One at a time, as they share the display.
echo "Widget tests under a real X server (xcb):"
xvfb-run -a -s "-screen 0 1920x1200x24" env QT_QPA_PLATFORM=xcb \
  ctest --test-dir "$BUILD" --output-on-failure -L widget -E Minimising -j 1
# Only a window manager minimises a window, as a user's click on its minimise box asks it to.
# (The lookup window's minimise runs offscreen only: openbox does not minimise it under Xvfb.)
echo "Minimising under a real X server with a window manager (openbox):"
xvfb-run -a -s "-screen 0 1920x1200x24" "$ROOT/scripts/with_window_manager.sh" env QT_QPA_PLATFORM=xcb \
  ctest --test-dir "$BUILD" --output-on-failure -L widget -R Update.Minimising -j 1

SANITIZE_BUILD="$ROOT/build-asan"
cmake -S "$ROOT" -B "$SANITIZE_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLICORIO_SANITIZE=ON \
  -DPELLICORIO_BUILD_BENCH=OFF >/dev/null
cmake --build "$SANITIZE_BUILD"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$SANITIZE_BUILD" --output-on-failure -j "$(nproc)"
