#!/usr/bin/env bash
# Builds everything and runs every test. BUILD_DIR (default build) and
# SAVORA_SANITIZE=ON select a sanitizer build in its own folder;
# SAVORA_WERROR=ON makes warnings errors.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build_dir=${BUILD_DIR:-build}
sanitize=${SAVORA_SANITIZE:-OFF}
cmake -S . -B "$build_dir" -G Ninja -DSAVORA_SANITIZE="$sanitize" -DSAVORA_WERROR="${SAVORA_WERROR:-OFF}" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)" --timeout 600
