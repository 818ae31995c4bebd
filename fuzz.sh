#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 60), two at a time.
# Exits non-zero when a target finds a crash, a hang or a leak; the inputs that showed it are
# left in build-fuzz/findings/. Usage: ./fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")" && pwd)"
SECONDS_EACH="${1:-60}"
shift || true

source "$ROOT/scripts/setup.sh"
FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)
missing=()
for p in "${FUZZ_PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

TARGETS=("$@")
[ ${#TARGETS[@]} -gt 0 ] || TARGETS=(fuzz_archive_line fuzz_archive_file fuzz_config fuzz_title_list fuzz_help fuzz_jpeg
                                 fuzz_clipboard_import fuzz_results_page fuzz_film_page fuzz_update fuzz_tmdb fuzz_wikidata)
FUZZ_BUILD="$ROOT/build-fuzz"
cmake -S "$ROOT" -B "$FUZZ_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
  -DPELLICORIO_FUZZ=ON -DPELLICORIO_BUILD_TESTS=OFF -DPELLICORIO_BUILD_BENCH=OFF >/dev/null
cmake --build "$FUZZ_BUILD" --target "${TARGETS[@]}"

seeds() {
  case "$1" in
    fuzz_archive_line) echo "$ROOT/fuzz/corpus/archive_line" ;;
    fuzz_archive_file) echo "$ROOT/fuzz/corpus/archive_file" ;;
    fuzz_config) echo "$ROOT/fuzz/corpus/config" ;;
    fuzz_title_list) echo "$ROOT/fuzz/corpus/title_list" ;;
    fuzz_help) echo "$ROOT/data" ;;
    fuzz_jpeg) echo "$ROOT/fuzz/corpus/jpeg" ;;
    fuzz_results_page) echo "$ROOT/fuzz/corpus/results_page" ;;
    fuzz_film_page) echo "$ROOT/fuzz/corpus/film_page" ;;
    fuzz_clipboard_import) echo "$ROOT/fuzz/corpus/clipboard_import" ;;
    fuzz_update) echo "$ROOT/fuzz/corpus/update" ;;
    fuzz_tmdb) echo "$ROOT/fuzz/corpus/tmdb" ;;
    fuzz_wikidata) echo "$ROOT/fuzz/corpus/wikidata" ;;
  esac
}

run() {
  local t="$1" corpus="$FUZZ_BUILD/corpus/$t"
  mkdir -p "$corpus" "$FUZZ_BUILD/findings" "$FUZZ_BUILD/logs"
  # Qt's image and text code must not look for a display.
  QT_QPA_PLATFORM=offscreen "$FUZZ_BUILD/fuzz/$t" "$corpus" "$(seeds "$t")" -max_total_time="$SECONDS_EACH" \
    -timeout=10 -rss_limit_mb=4096 -max_len=65536 -print_final_stats=1 \
    -artifact_prefix="$FUZZ_BUILD/findings/$t-" >"$FUZZ_BUILD/logs/$t.log" 2>&1
}

failed=()
pids=()
names=()
for t in "${TARGETS[@]}"; do
  run "$t" & pids+=($!); names+=("$t")
  if [ ${#pids[@]} -ge 2 ]; then
    wait "${pids[0]}" || failed+=("${names[0]}")
    pids=("${pids[@]:1}"); names=("${names[@]:1}")
  fi
done
for i in "${!pids[@]}"; do
  wait "${pids[$i]}" || failed+=("${names[$i]}")
done

for t in "${TARGETS[@]}"; do
  line="$(grep -E '^#[0-9]+.*(DONE|cov:)' "$FUZZ_BUILD/logs/$t.log" | tail -1 || true)"
  echo "$t: ${line:-no run}"
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "Findings in: ${failed[*]} (inputs in $FUZZ_BUILD/findings, logs in $FUZZ_BUILD/logs)" >&2
  exit 1
fi
