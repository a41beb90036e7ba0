#!/usr/bin/env bash
# Builds the system and starts the editor from the build's program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j"$(nproc)"
if [ ! -x build/bin/savora ]; then
  echo "The editor (savora) is not built yet: only the libraries and their tests exist." >&2
  exit 1
fi
exec build/bin/savora "$@"
