#!/usr/bin/env bash
# Fuzzes the import's text rules with libFuzzer (Debian's clang) for a bounded time.
# Usage: scripts/fuzz.sh [seconds, default 120]. Not part of ./test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-120}
out=build/fuzz
mkdir -p "$out/corpus"
clang++-14 -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -I. \
    fuzz/fuzz_csv.cpp csvimport/rules/*.cpp core/*.cpp -o "$out/fuzz_csv"
printf 'Groep;Voornaam\r\n4;"Jelmar, van der"\r\n' > "$out/corpus/seed.csv"
"$out/fuzz_csv" -max_total_time="$seconds" -max_len=4096 "$out/corpus"
