#!/bin/sh
# Whole-process CPU time (user + system) and peak memory of the participant-list commands on 5,000 people:
# zulname-cards export (CSV, .xlsx), import of each into a new record file, and zulname-export
# --list to PDF next to exporting the same 5,000 cards from a record file, and beside a record
# file of 50,000 cards.
# Usage: bench/list_bench.sh [BUILD_DIR]
set -eu
build=${1:-build}
. "$(dirname "$0")/timing.sh"
cards=5000

# Runs a command under /usr/bin/time; prints "label  CPU seconds  peak MB" and keeps the CPU
# seconds and the peak in kilobytes.
measure() {
  label=$1
  shift
  timed "$@" > /dev/null
  seconds=$cpu
  awk -v l="$label" -v s="$seconds" -v k="$kilobytes" 'BEGIN { printf "  %-42s %6.2f CPU s  %6.1f MB\n", l, s, k / 1024 }'
}

"$build/bench/make_export_record" "$folder" "$cards"
echo "participant lists, $cards people: CPU seconds, peak MB"
for format in csv xlsx; do
  measure "zulname-cards export --format $format" \
    "$build/tools/zulname-cards" --record "$folder/export.ini" export --format "$format" -o "$folder/list.$format"
done
for format in csv xlsx; do
  printf '[#Setting#]\r\nLabel=1\r\n' > "$folder/new-$format.ini"
  measure "zulname-cards import (.$format)" \
    "$build/tools/zulname-cards" --record "$folder/new-$format.ini" import "$folder/list.$format" --replace
  eval "import_$format=$seconds"
done
# The same import --list makes: every row takes the design of the record's current card.
cp "$folder/export.ini" "$folder/designed.ini"
measure "zulname-cards import --replace (designed)" \
  "$build/tools/zulname-cards" --record "$folder/designed.ini" import "$folder/list.csv" --replace
import_designed=$seconds
measure "zulname-export (record file) pdf" \
  "$build/tools/zulname-export" --record "$folder/export.ini" --format pdf -o "$folder/record.pdf"
record_seconds=$seconds
record_kilobytes=$kilobytes
measure "zulname-export --list (.csv) pdf" \
  "$build/tools/zulname-export" --record "$folder/export.ini" --list "$folder/list.csv" --format pdf -o "$folder/list.pdf"
list_kilobytes=$kilobytes
awk -v c="$import_csv" -v x="$import_xlsx" -v d="$import_designed" -v r="$record_seconds" -v l="$seconds" \
    -v rk="$record_kilobytes" -v lk="$kilobytes" 'BEGIN {
  printf "import: csv %.2f CPU s, xlsx %.2f CPU s (target < 1 s each) %s\n", c, x, (c < 1 && x < 1) ? "met" : "MISSED"
  printf "--list: %.2f CPU s (target <= record export %.2f s + designed import %.2f s) %s\n", l, r, d,
    l <= r + d ? "met" : "MISSED"
  printf "--list peak: %.1f MB, record file export %.1f MB, %.1f MB more (target <= 5 MB) %s\n", lk / 1024, rk / 1024,
    (lk - rk) / 1024, lk - rk <= 5 * 1024 ? "met" : "MISSED" }'
# The same --list beside a record file of 50,000 cards: it takes one card's design, so its peak
# should not grow with the record file; --design takes none of the cards.
mkdir "$folder/big"
"$build/bench/make_export_record" "$folder/big" 50000
measure "zulname-export --list, 50,000-card record" \
  "$build/tools/zulname-export" --record "$folder/big/export.ini" --list "$folder/list.csv" --format pdf -o "$folder/big.pdf"
big_kilobytes=$kilobytes
measure "zulname-export --list --design, 50,000-card record" \
  "$build/tools/zulname-export" --record "$folder/big/export.ini" --list "$folder/list.csv" --design シンプル \
  --format pdf -o "$folder/big.pdf"
awk -v bk="$big_kilobytes" -v lk="$list_kilobytes" -v dk="$kilobytes" 'BEGIN {
  printf "--list peak beside 50,000 cards: %.1f MB (5,000: %.1f MB; --design %.1f MB), %.1f MB more (target <= 5 MB) %s\n",
    bk / 1024, lk / 1024, dk / 1024, (bk - lk) / 1024, bk - lk <= 5 * 1024 ? "met" : "MISSED" }'
