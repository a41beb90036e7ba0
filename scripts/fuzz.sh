#!/usr/bin/env bash
# Builds the libFuzzer targets (image readers, the texture decoder, the text scanner, the
# character text reader, the MQO reader) with clang in build-fuzz and runs each for a bounded
# time over seeds from the test data. Usage:
#   scripts/fuzz.sh [seconds per target, default 20]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
build=$root/build-fuzz

# target | seed file pattern | seed folders (relative to the repository, or absolute)
table=(
  "fuzz_bmp|*.bmp|testdata/images"
  "fuzz_tga|*.tga|testdata/images"
  "fuzz_ppm|*.p[pg]m|testdata/images"
  "fuzz_iff|*.iff|testdata/images"
  "fuzz_tim|*.tim|testdata/images"
  "fuzz_jpg|*.jpg|testdata/images"
  "fuzz_png|*.png|testdata/images"
  "fuzz_texture|*.[bjpt][gmnp][agmp]|testdata"
  "ferrox_text_fuzz|*.mqo|../shared/testdata"
  "vocore_character_fuzz|*.txt|testdata/character ../shared/testdata/hostile"
  "fuzz_mqo|*.mqo|../shared/testdata/mqo-public testdata/mqo testdata/demo"
  "fuzz_bvh|*.bvh|testdata/bvh /usr/share/assimp/models/BVH"
)
targets=()
for row in "${table[@]}"; do targets+=("${row%%|*}"); done

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DSAVORA_FUZZ=ON \
  -DSAVORA_TESTS=OFF -DSAVORA_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo > "$build.log" 2>&1 ||
  { cat "$build.log"; exit 1; }
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

for row in "${table[@]}"; do
  IFS='|' read -r target pattern folders <<< "$row"
  corpus=$build/corpus/$target
  mkdir -p "$corpus"
  # Seeds are copied: libFuzzer adds the inputs it finds to its first folder.
  for folder in $folders; do
    [[ $folder == /* ]] || folder=$root/$folder
    [ -d "$folder" ] &&
      find "$folder" -name "$pattern" ! -name '*.ref.*' -exec cp {} "$corpus" \; || true
  done
  echo "== $target: ${seconds}s, $(ls "$corpus" | wc -l) inputs"
  (cd "$build" && "$build/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 \
    -timeout=10 -print_final_stats=1 "$corpus" 2>&1 | tail -n 40)
done
echo "fuzzing passed"
