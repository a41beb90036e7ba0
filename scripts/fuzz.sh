#!/usr/bin/env bash
# Builds the libFuzzer targets (image readers, text scanner) with clang in build-fuzz and runs
# each for a bounded time over seeds from the test data. Usage:
#   scripts/fuzz.sh [seconds per target, default 20]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
build=$root/build-fuzz
targets=(fuzz_bmp fuzz_tga fuzz_ppm fuzz_iff fuzz_tim fuzz_jpg fuzz_png ferrox_text_fuzz)

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DSAVORA_FUZZ=ON \
  -DSAVORA_TESTS=OFF -DSAVORA_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo > "$build.log" 2>&1 ||
  { cat "$build.log"; exit 1; }
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

declare -A patterns=([bmp]='*.bmp' [tga]='*.tga' [ppm]='*.p[pg]m' [iff]='*.iff' [tim]='*.tim'
                     [jpg]='*.jpg' [png]='*.png' [ferrox_text_fuzz]='*.mqo')
declare -A seeds=([ferrox_text_fuzz]=$root/../shared/testdata)
# Committed seeds in a target's own input format, all taken.
declare -A own_seeds=([ferrox_text_fuzz]=$root/ferrox/text/fuzz/seeds)
# Some model files run to 100 KB, nearly all vertex rows: inputs are cut to
# 8 KB, which keeps the text fuzzer at hundreds of runs a second.
declare -A options=([ferrox_text_fuzz]=-max_len=8192)
for target in "${targets[@]}"; do
  format=${target#fuzz_}
  corpus=$build/corpus/$format
  mkdir -p "$corpus"
  # Seeds are copied: libFuzzer adds the inputs it finds to its first folder.
  # A target without seeds fails the run rather than fuzzing from nothing.
  seed_dir=${seeds[$format]:-$root/testdata/images}
  copied=0
  if [ -d "$seed_dir" ]; then
    copied=$(find "$seed_dir" -type f -name "${patterns[$format]}" ! -name '*.ref.*' \
               -exec cp -t "$corpus" {} + -print | wc -l)
  fi
  if [ -n "${own_seeds[$format]:-}" ]; then
    copied=$((copied + $(find "${own_seeds[$format]}" -type f -exec cp -t "$corpus" {} + -print | wc -l)))
  fi
  [ "$copied" -gt 0 ] || { echo "no seeds for $target"; exit 1; }
  echo "== $target: ${seconds}s, $copied seeds"
  (cd "$build" && "$build/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 \
    -timeout=10 -print_final_stats=1 ${options[$target]:-} "$corpus" 2>&1 | tail -n 40)
done
echo "fuzzing passed"
