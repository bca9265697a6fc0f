#!/bin/sh
# Whole-process time and peak memory of zulname-export printing record files of named cards to
# PDF (ten tags a page). The sizes double, so that the times show whether the work grows
# linearly. Usage: bench/export_bench.sh [BUILD_DIR]
set -eu
build=${1:-build}
[ -x /usr/bin/time ] || { echo "export_bench.sh: needs /usr/bin/time (Debian package time)" >&2; exit 1; }
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

echo "zulname-export --format pdf: cards, pages, seconds, peak MB, ms per 1,000 cards"
for cards in 1250 2500 5000; do
  "$build/bench/make_export_record" "$folder" "$cards"
  ZULNAME_HOME="$folder" /usr/bin/time -f '%e %M' -o "$folder/time" \
    "$build/tools/zulname-export" --record "$folder/export.ini" --format pdf -o "$folder/out.pdf"
  read -r seconds kilobytes < "$folder/time"
  pages=$(grep -a -o '/Count [0-9]*' "$folder/out.pdf" | head -n 1 | cut -d ' ' -f 2)
  awk -v c="$cards" -v p="$pages" -v s="$seconds" -v k="$kilobytes" \
    'BEGIN { printf "  %5d cards  %4d pages  %6.2f s  %6.1f MB  %6.0f ms\n", c, p, s, k / 1024, s * 1e6 / c }'
done
awk -v s="$seconds" -v k="$kilobytes" 'BEGIN {
  printf "5,000 cards: %.2f s (target < 1 s) %s, %.1f MB (target < 60 MB) %s\n",
    s, s < 1 ? "met" : "MISSED", k / 1024, k / 1024 < 60 ? "met" : "MISSED" }'
