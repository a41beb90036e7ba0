#!/usr/bin/env bash
# Builds the system and shows the player control on a page in lumacet-host
# (default: the demonstration character, testdata/player/demo.page). Extra
# arguments go to lumacet-host before the page, e.g. --exit-after-ms 5000.
set -euo pipefail
cd "$(dirname "$0")/.."
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
exec build/bin/lumacet-host "${args[@]}" "$page"
