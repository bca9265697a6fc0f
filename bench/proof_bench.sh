#!/bin/sh
# CPU time and peak memory of zulname-export writing the proof list (校正一覧) to PDF of record
# files of 5,000 and 50,000 people, a fifth of them with characters the check notes
# (bench/make_proof_record.cpp), so that the figures show the time grows linearly; the second
# run of each also compares with the proof the first one kept.
# Usage: bench/proof_bench.sh [BUILD_DIR]
set -eu
build=${1:-build}
. "$(dirname "$0")/timing.sh"

# proof CARDS RUN: prints one line and leaves the CPU seconds in $folder/cpu.
proof() {
  timed "$build/tools/zulname-export" --record "$folder/proof.ini" --proof --format pdf -o "$folder/proof.pdf"
  awk -v c="$1" -v r="$2" -v u="$user" -v s="$system" -v w="$wall" -v k="$kilobytes" \
    'BEGIN { printf "  %6d cards, %-7s %6.2f CPU s  %6.2f s  %6.1f MB peak  %4.0f µs CPU/card\n",
             c, r, u + s, w, k / 1024, (u + s) * 1e6 / c; print u + s > "/dev/stderr" }' 2>> "$folder/cpu"
}

echo "zulname-export --proof --format pdf (CPU seconds are user + system):"
for cards in 5000 50000; do
  rm -rf "$folder/proofs" "$folder/cpu"
  "$build/bench/make_proof_record" "$folder" "$cards"
  proof "$cards" first
  proof "$cards" again
done
# Judged on the slower of the two runs at 50,000.
sort -g "$folder/cpu" | tail -n 1 | awk '{
  printf "50,000 cards: %.2f CPU s (target <= 10) %s\n", $1, $1 <= 10 ? "met" : "MISSED" }'
