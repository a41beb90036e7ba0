#!/usr/bin/env bash
# Builds the editor and starts it with the demonstration character and its
# walk already open. On a desktop it opens a window; without a display it is
# served over VNC on 127.0.0.1 behind a one-time password (see
# scripts/lib/virtual-display.sh). Arguments are passed on to the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
source scripts/lib/virtual-display.sh
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j"$(nproc)" --target savora

files=("$root/testdata/demo/demo.mqo")
if [ -f build/bin/plugins/quovin.so ]; then
  files+=("$root/testdata/demo/walk.kvm")
else
  echo "note: the motion plug-in (plugins/quovin.so) is not built yet: opening the model without its walk" >&2
fi

run_on_display "The editor" build/bin/savora "${files[@]}" "$@"
