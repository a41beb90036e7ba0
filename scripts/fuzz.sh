#!/usr/bin/env bash
# Builds the libFuzzer targets (image readers, the texture decoder, the text scanner, the
# character text reader, the MQO, motion, BVH and .kvc readers) with clang in build-fuzz
# and runs each for a bounded time over seeds from the test data. Usage:
#   scripts/fuzz.sh [seconds per target, default 20]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
build=$root/build-fuzz

# target | libFuzzer options | seeds: folder/pattern ... (folders relative to the repository,
# or absolute)
table=(
  "fuzz_bmp||testdata/images/*.bmp"
  "fuzz_tga||testdata/images/*.tga"
  "fuzz_ppm||testdata/images/*.p[pg]m"
  "fuzz_iff||testdata/images/*.iff"
  "fuzz_tim||testdata/images/*.tim"
  "fuzz_jpg||testdata/images/*.jpg"
  "fuzz_png||testdata/images/*.png"
  "fuzz_texture||testdata/*.[bjpt][gmnp][agmp]"
  # Some model files run to 100 KB, nearly all vertex rows: inputs are cut to 8 KB,
  # which keeps the text fuzzer at hundreds of runs a second.
  "ferrox_text_fuzz|-max_len=8192|../shared/testdata/*.mqo ferrox/text/fuzz/seeds/*"
  "vocore_character_fuzz||testdata/character/*.txt ../shared/testdata/hostile/hang-*.txt vocore/scene/fuzz/seeds/*"
  "fuzz_mqo||../shared/testdata/mqo-public/*.mqo testdata/mqo/*.mqo testdata/demo/*.mqo plugins/Pelarn/fuzz/seeds/*.mqo"
  "fuzz_kvm||testdata/kvm/*.kvm testdata/demo/*.kvm"
  # Capture files run to 3 MB of frame lines: inputs are cut to 16 KB.
  "fuzz_bvh|-max_len=16384|testdata/bvh/*.bvh plugins/Sorvel/fuzz/seeds/*.bvh /usr/share/assimp/models/BVH/*.bvh"
  "fuzz_kvc||testdata/kvc/*.kvc"
)
targets=()
for row in "${table[@]}"; do targets+=("${row%%|*}"); done

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DSAVORA_FUZZ=ON \
  -DSAVORA_TESTS=OFF -DSAVORA_BENCHMARKS=OFF -DSAVORA_WERROR="${SAVORA_WERROR:-OFF}" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo > "$build.log" 2>&1 ||
  { cat "$build.log"; exit 1; }
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

for row in "${table[@]}"; do
  IFS='|' read -r target options seeds <<< "$row"
  corpus=$build/corpus/$target
  mkdir -p "$corpus"
  # Seeds are copied: libFuzzer adds the inputs it finds to its first folder.
  # A target without seeds fails the run rather than fuzzing from nothing.
  copied=0
  for seed in $seeds; do
    folder=${seed%/*}
    [[ $folder == /* ]] || folder=$root/$folder
    [ -d "$folder" ] || continue
    # Named by content: golden folders hold many files of one name.
    while IFS= read -r -d '' file; do
      cp -f "$file" "$corpus/$(sha1sum < "$file" | cut -c1-40)"
      copied=$((copied + 1))
    done < <(find "$folder" -type f -name "${seed##*/}" ! -name '*.ref.*' -print0)
  done
  [ "$copied" -gt 0 ] || { echo "no seeds for $target"; exit 1; }
  echo "== $target: ${seconds}s, $copied seeds"
  # shellcheck disable=SC2086
  (cd "$build" && "$build/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 \
    -timeout=10 -print_final_stats=1 $options "$corpus" 2>&1 | tail -n 40)
done
echo "fuzzing passed"
