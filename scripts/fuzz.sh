#!/usr/bin/env bash
# Builds the fuzz targets with clang (a build of their own, build-fuzz) and
# runs each one for SECONDS (default 10), JOBS at once (default: the number of
# cores), from a corpus made of the seeds in fuzz/seeds and the demo and test
# files. Prints one line per target; fails on any finding (a crash, a
# sanitizer report, a leak, a broken property, an input that hangs). A
# finding's input is kept in build-fuzz/findings/.
#   bash scripts/fuzz.sh [SECONDS] [JOBS] [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-10}
jobs=${2:-$(nproc)}
shift $(($# < 2 ? $# : 2))
build="$root/build-fuzz"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWV_FUZZ=ON \
  -DWV_TESTS=OFF -DWV_BENCH=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target wv_fuzz

if [ $# -gt 0 ]; then
  targets=("$@")
else
  mapfile -t targets < <(cd "$build/fuzz" && ls fuzz_* | grep -v '\.' | sed 's/^fuzz_//' | sort)
fi

# The targets write their input to files: memory is faster than a disk, when
# there is room for the corpora (a container's /dev/shm may hold 64 MB only).
shm_free_kb=$( (df -Pk /dev/shm 2>/dev/null || true) | awk 'NR == 2 { print $4 }')
if [ -w /dev/shm ] && [ "${shm_free_kb:-0}" -gt 1048576 ]; then
  work=$(mktemp -d -p /dev/shm)
else
  work=$(mktemp -d)
fi
trap 'rm -rf "$work"' EXIT
mkdir -p "$build/findings"

# Whole files for the targets that read a file, one file per line for those
# that read one line of text.
seed_corpus() {
  local name=$1 corpus=$2
  mkdir -p "$corpus"
  [ -d "$root/fuzz/seeds/$name" ] && cp "$root/fuzz/seeds/$name"/* "$corpus"/ 2>/dev/null || true
  # Every file of the demo and of the test data, in their sub-folders too.
  local files
  mapfile -t files < <(find "$root/demo" "$root/tests/data" -type f | sort)
  case $name in
    order_line | menu_text | text | table_couverts)
      local i=0 line
      for f in "${files[@]}"; do
        while IFS= read -r line; do
          i=$((i + 1))
          printf '%s' "$line" >"$corpus/line-$i"
        done <"$f"
      done
      ;;
    *)
      local n=0
      for f in "${files[@]}"; do
        n=$((n + 1))
        cp "$f" "$corpus/$n-$(basename "$f")"
      done
      ;;
  esac
}

run_one() {
  local name=$1 dir="$work/$1"
  mkdir -p "$dir/tmp"
  seed_corpus "$name" "$dir/corpus"
  local rc=0
  TMPDIR="$dir/tmp" UBSAN_OPTIONS=print_stacktrace=1 \
    timeout $((seconds + 120)) "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/findings/$name-" \
    "$dir/corpus" >"$dir/log" 2>&1 || rc=$?
  local runs
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log" | tail -1)
  if [ "$rc" -eq 0 ]; then
    printf '%-20s %10s runs, clean\n' "$name" "${runs:-?}"
  else
    printf '%-20s %10s runs, FINDING (exit %s):\n' "$name" "${runs:-?}" "$rc"
    grep -E -m5 'runtime error|ERROR:|property broken|Test unit written|SUMMARY' "$dir/log" | sed 's/^/    /'
    echo failed >"$dir/failed"
  fi
}
export -f run_one seed_corpus
export root build work seconds

printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'run_one {}'
failed=$(find "$work" -mindepth 2 -maxdepth 2 -name failed | wc -l)
if [ "$failed" -gt 0 ]; then
  echo "fuzzing: $failed of ${#targets[@]} targets made a finding"
  exit 1
fi
echo "fuzzing: ${#targets[@]} targets clean"
