#!/bin/sh
# Builds the libFuzzer targets of fuzz/ with clang under AddressSanitizer and
# UBSan (build-fuzz/) and runs each in turn for FUZZ_SECONDS (default 60).
# Usage: scripts/fuzz.sh [target ...]   (default: every target of fuzz/targets.txt)
#
# Each target's corpus grows in build-fuzz/corpus/<target>, seeded from
# fuzz/seeds/<target>/ and the data files its line names; a crash stops the
# run and leaves its input in build-fuzz/crashes/. Keep such an input as a
# seed in fuzz/seeds/<target>/ once the reader is fixed. The last lines
# are one row per target: executions, coverage (cov, ft) and corpus size.
set -eu
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
out=build-fuzz
launcher=""
command -v ccache >/dev/null 2>&1 && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"

[ -f "$out/build.ninja" ] || cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVQ2X_SANITIZER=fuzzer $launcher
cmake --build "$out" -j "${JOBS:-2}"

mkdir -p "$out/crashes"
summary="$out/summary.txt"
printf '%-16s %12s %8s %8s %8s\n' target runs cov ft corpus > "$summary"
grep '^[a-z]' fuzz/targets.txt | while read -r target harness seeds; do
  [ $# -eq 0 ] || echo " $* " | grep -q " $target " || continue
  corpus="$out/corpus/$target"
  mkdir -p "$corpus"
  [ -d "fuzz/seeds/$target" ] && cp fuzz/seeds/"$target"/* "$corpus"/
  for seed in $seeds; do [ "$seed" = "-" ] || cp "data/$seed" "$corpus"/; done
  dict=""
  [ -f "fuzz/$target.dict" ] && dict="-dict=fuzz/$target.dict"
  log="$out/$target.log"
  echo "== $target ($seconds s)"
  # shellcheck disable=SC2086
  if ! "$out/bin/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$out/crashes/$target-" -print_final_stats=1 $dict "$corpus" > "$log" 2>&1; then
    tail -40 "$log"
    echo "$target: FAILED (input in $out/crashes/)" >&2
    echo "$target FAILED" >> "$summary"
    continue
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  last=$(grep -E '^#[0-9]+' "$log" | tail -1)
  cov=$(echo "$last" | sed -n 's/.* cov: \([0-9]*\).*/\1/p')
  ft=$(echo "$last" | sed -n 's/.* ft: \([0-9]*\).*/\1/p')
  files=$(echo "$last" | sed -n 's/.* corp: \([0-9]*\).*/\1/p')
  printf '%-16s %12s %8s %8s %8s\n' "$target" "$runs" "$cov" "$ft" "$files" >> "$summary"
done
cat "$summary"
! grep -q FAILED "$summary"
