#!/bin/sh
# Whole-process CPU time and peak memory of zulname-export printing record files of named
# four-item cards to PDF (ten tags a page): plain tags at sizes up to 50,000 cards, so that the
# figures show whether time and memory grow linearly and what each card costs, and decorated
# tags (frame, line, image and shadow on each). For the 5,000-card files it also splits the time
# between the program's own drawing and Qt's PDF engine (pdf_engine_share).
# Usage: bench/export_bench.sh [BUILD_DIR]
set -eu
build=${1:-build}
. "$(dirname "$0")/timing.sh"

# export SHAPE CARDS: prints one line and leaves "cards cpu-seconds kilobytes file-bytes" in $folder/last.
export_cards() {
  "$build/bench/make_export_record" "$folder" "$2" $([ "$1" = plain ] && echo plain)
  timed "$build/tools/zulname-export" --record "$folder/export.ini" --format pdf -o "$folder/out.pdf"
  bytes=$(wc -c < "$folder/export.ini")
  pages=$(grep -a -o '/Count [0-9]*' "$folder/out.pdf" | head -n 1 | cut -d ' ' -f 2)
  awk -v shape="$1" -v c="$2" -v p="$pages" -v u="$user" -v s="$system" -v w="$wall" -v k="$kilobytes" -v b="$bytes" \
    'BEGIN { printf "  %-9s %6d cards  %5d pages  %6.2f CPU s  %6.2f s  %6.1f MB peak  %5.1f MB file  %4.0f µs CPU/card\n",
             shape, c, p, u + s, w, k / 1024, b / 1048576, (u + s) * 1e6 / c }'
  [ "$2" = 5000 ] && "$build/bench/pdf_engine_share" "$folder/export.ini" 2>/dev/null |
    sed "s/^/            of which: /"
  echo "$2 $cpu $kilobytes $bytes" > "$folder/last"
}

echo "zulname-export --format pdf (CPU seconds are user + system):"
for cards in 1000 5000 20000 50000; do
  export_cards plain "$cards"
  read -r c cpu kb bytes < "$folder/last"
  case $cards in
    1000) base_kb=$kb ;;
    5000) plain_cpu=$cpu ;;
    50000) big_kb=$kb; big_bytes=$bytes ;;
  esac
done
export_cards decorated 5000
read -r c decorated_cpu kb bytes < "$folder/last"

awk -v pc="$plain_cpu" -v dc="$decorated_cpu" -v base="$base_kb" -v big="$big_kb" -v file="$big_bytes" 'BEGIN {
  grow = (big - base) * 1024
  printf "per card from 1,000 to 50,000 cards: %.0f bytes of memory, %.0f bytes of file\n", grow / 49000, file / 50000
  printf "5,000 plain tags: %.2f CPU s (target < 0.18) %s\n", pc, pc < 0.18 ? "met" : "MISSED"
  printf "5,000 decorated tags: %.2f CPU s (target < 0.25) %s\n", dc, dc < 0.25 ? "met" : "MISSED"
  printf "50,000 plain tags: %.1f MB peak (target < 80 MB) %s\n", big / 1024, big / 1024 < 80 ? "met" : "MISSED"
  printf "50,000 less 1,000 cards: %.1f MB, file %.1f MB + 10 MB allowed %s\n", grow / 1048576, file / 1048576,
    grow <= file + 10 * 1048576 ? "met" : "MISSED" }'
