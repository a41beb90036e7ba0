#!/usr/bin/env bash
# Builds the system and shows the player control on a page in lumacet-host
# (default: the demonstration character, testdata/player/demo.page). Extra
# arguments go to lumacet-host before the page, e.g. --exit-after-ms 5000.
# On a desktop it opens a window; without a display it is served over VNC on
# 127.0.0.1 behind a one-time password (see scripts/lib/virtual-display.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/virtual-display.sh
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j"$(nproc)" --target lumacet-host
page=testdata/player/demo.page
args=()
for a in "$@"; do
  case "$a" in
    *.page) page=$a ;;
    *) args+=("$a") ;;
  esac
done
run_on_display "The player" build/bin/lumacet-host "${args[@]}" "$page"
