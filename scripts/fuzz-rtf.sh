#!/bin/sh
# Fuzzes the RTF reader with libFuzzer under AddressSanitizer and UBSan.
# Usage: scripts/fuzz-rtf.sh [seconds]   (default 300)
# The shipped help documents and tests/fuzz/seeds seed the corpus; the corpus grows in
# build-fuzz/rtf-corpus and crashing inputs land in build-fuzz/.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-300}
out=build-fuzz
mkdir -p "$out/rtf-corpus"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -Isrc tests/fuzz/RtfReaderFuzz.cpp src/platform/RtfReader.cpp -o "$out/rtf_fuzz"
cp data/ErrorHelp*.rtf tests/fuzz/seeds/*.rtf "$out/rtf-corpus/"
exec "$out/rtf_fuzz" -max_total_time="$seconds" -dict=tests/fuzz/rtf.dict -max_len=16384 -timeout=10 \
  -artifact_prefix="$out/" -print_final_stats=1 "$out/rtf-corpus"
