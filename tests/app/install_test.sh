#!/usr/bin/env bash
# Installs the built program into a temporary prefix and checks it as the desktop sees it: the
# files in their places, the desktop entry and the metainfo accepted by their validators, and
# the installed program answering --help without a display. Usage: install_test.sh BUILD_FOLDER
set -euo pipefail
BUILD="$1"
ID=org.pellicorio.Pellicorio
PREFIX="$(mktemp -d)"
trap 'rm -rf "$PREFIX"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null

# Exactly these files, nothing more (no test or benchmark programs).
expected="bin/pellicorio
share/applications/$ID.desktop
share/icons/hicolor/128x128/apps/$ID.png
share/icons/hicolor/16x16/apps/$ID.png
share/icons/hicolor/256x256/apps/$ID.png
share/icons/hicolor/32x32/apps/$ID.png
share/icons/hicolor/48x48/apps/$ID.png
share/icons/hicolor/64x64/apps/$ID.png
share/icons/hicolor/scalable/apps/$ID.svg
share/metainfo/$ID.metainfo.xml
share/pellicorio/Zenfohelp.RTF"
actual="$(cd "$PREFIX" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)"
[ "$actual" = "$(LC_ALL=C sort <<<"$expected")" ] || fail "installed files differ:
$(diff <(LC_ALL=C sort <<<"$expected") <(echo "$actual") || true)"
[ -x "$PREFIX/bin/pellicorio" ] || fail "bin/pellicorio is not executable"

# Each PNG is as large as the folder it sits in says (width and height from the IHDR chunk).
for png in "$PREFIX"/share/icons/hicolor/*x*/apps/$ID.png; do
  size="$(basename "$(dirname "$(dirname "$png")")")"
  read -r w0 w1 w2 w3 h0 h1 h2 h3 < <(od -An -tu1 -j16 -N8 "$png")
  w=$(( (w0 << 24) | (w1 << 16) | (w2 << 8) | w3 )); h=$(( (h0 << 24) | (h1 << 16) | (h2 << 8) | h3 ))
  [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "$png is not a PNG"
  [ "${w}x${h}" = "$size" ] || fail "$png is ${w}x${h}, not $size"
done

# The entry, the metainfo and the icon name one another.
desktop="$PREFIX/share/applications/$ID.desktop"
metainfo="$PREFIX/share/metainfo/$ID.metainfo.xml"
grep -qx "Icon=$ID" "$desktop" || fail "the desktop entry does not name the icon $ID"
exec_name="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")"
[ -x "$PREFIX/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"
grep -q "<id>$ID</id>" "$metainfo" || fail "the metainfo id is not $ID"
grep -q "<launchable type=\"desktop-id\">$ID.desktop</launchable>" "$metainfo" ||
  fail "the metainfo does not launch $ID.desktop"

# The validators: any remark of desktop-file-validate fails, as does a warning or error of appstream.
if ! out="$(desktop-file-validate "$desktop" 2>&1)" || [ -n "$out" ]; then
  fail "desktop-file-validate: $out"
fi
if ! out="$(appstreamcli validate --no-net "$metainfo" 2>&1)"; then
  fail "appstreamcli validate: $out"
fi

# The installed program prints its usage with no display at all and opens no window.
if out="$(cd "$PREFIX" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 60 "$PREFIX/bin/pellicorio" --help 2>&1)"; then
  grep -q '^Uso: pellicorio \[CARTELLA_DATI\]' <<<"$out" || fail "--help printed: $out"
else
  fail "--help ended with $?: $out"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures failures"
  exit 1
fi
echo "installed files, validators and --help: all right"
