#!/usr/bin/env bash
# Builds the sanitizer draw tests from copies of this checkout at several path
# lengths and runs every test case in its own process, as CTest does. The
# checkout's path is compiled into the programs, so its length moves their
# layout; GCC 12's LeakSanitizer once crashed at exit ("Tracer caught signal
# 11") at some lengths only (cmake/sanitizer/tests provokes that fault at any
# path). ASAN_OPTIONS and LSAN_OPTIONS are cleared so the options built into
# the programs are what is checked. Usage:
#   [JOBS=n] scripts/check-sanitizer-paths.sh [folder-name length ...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
targets=(ferrox_draw_tests d3d8_tests)
lengths=("$@")
# Eight lengths over 40 characters, one of each remainder modulo 8.
[ ${#lengths[@]} -gt 0 ] || lengths=(1 6 10 15 19 28 37 40)
jobs=${JOBS:-$(nproc)}

bash "$root/scripts/install-deps.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/savora-paths.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT TERM

# One copy of the working tree (tracked and new files, as the other CI steps
# build it), renamed for each length.
src=$work/src
mkdir "$src"
(cd "$root" && git ls-files -z --cached --others --exclude-standard |
  tar --null --files-from=- --ignore-failed-read -cf - 2>/dev/null) | tar -xf - -C "$src"

# Runs one test case; prints its output when it fails.
run_case() {
  local bin=$1 name=$2 out
  if out=$(timeout 300 env -u ASAN_OPTIONS -u LSAN_OPTIONS QT_QPA_PLATFORM=offscreen \
           "$bin" --gtest_filter="$name" 2>&1); then
    return 0
  fi
  printf 'FAILED %s %s\n%s\n' "${bin##*/}" "$name" "$(tail -n 25 <<<"$out")"
  return 1
}
export -f run_case

failed=()
for length in "${lengths[@]}"; do
  start=$SECONDS
  name=$(printf 'p%.0s' $(seq "$length"))
  checkout=$work/$name
  [ "$src" = "$checkout" ] || mv "$src" "$checkout"
  src=$checkout
  build=$checkout/build-sanitize
  rm -rf "$build"
  echo "== checkout path of ${#checkout} characters: $checkout"
  cmake -S "$checkout" -B "$build" -G Ninja -DSAVORA_SANITIZE=ON -DSAVORA_BENCHMARKS=OFF \
    > "$work/cmake.log" 2>&1 || { cat "$work/cmake.log"; exit 1; }
  cmake --build "$build" -j"$jobs" --target "${targets[@]}" > "$work/build.log" 2>&1 ||
    { tail -n 50 "$work/build.log"; exit 1; }
  cases=0
  ok=1
  for target in "${targets[@]}"; do
    bin=$build/tests/$target
    list=$("$bin" --gtest_list_tests | awk '/^[^ ]/ {suite=$1} /^  [^ ]/ {print suite $1}')
    cases=$((cases + $(wc -l <<<"$list")))
    xargs -P "$jobs" -I{} bash -c 'run_case "$0" "$1"' "$bin" {} <<<"$list" || ok=0
  done
  echo "   $cases test cases $([ $ok = 1 ] && echo passed || echo FAILED) in $((SECONDS - start)) s"
  [ $ok = 1 ] || failed+=("${#checkout}")
  rm -rf "$build"
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "sanitizer draw tests failed at path lengths: ${failed[*]}"
  exit 1
fi
echo "sanitizer draw tests passed at every path length"
