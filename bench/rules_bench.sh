#!/bin/sh
# Whole-process CPU time and peak memory of the category rules on 50,000 cards: 200 rules (half
# with a design of the gallery, half keeping each card's own, each with an honorific) put on by
# zulname-designs apply --by-rules, and one more rule added with zulname-designs rule.
# Usage: bench/rules_bench.sh [BUILD_DIR]
set -eu
build=${1:-build}
. "$(dirname "$0")/timing.sh"
cards=50000
rules=200

sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
kubun=$(sjis 区分)
# The record's settings file (without cut lines) gains the item 区分.
"$build/bench/make_export_record" "$folder" "$cards" plain
printf '[UserDef]\r\nItems=%s\r\n' "$kubun" >> "$folder/ZULNAME.INI"
design=$(sjis "$("$build/tools/zulname-designs" list | head -n 1 | cut -f 1)")
honorific=$(sjis 様)
# Each card a category c0 … c199 after its header; then the rules.
awk -v k="$kubun" -v n="$rules" '{ print } /^\[[0-9]+\]\r?$/ { printf "%s=c%d\r\n", k, c++ % n }' \
  "$folder/export.ini" > "$folder/rules.ini"
{
  printf '[CategoryDesigns]\r\nCount=%d\r\n' "$rules"
  i=1
  while [ "$i" -le "$rules" ]; do
    d=$([ $((i % 2)) = 0 ] && printf '%s' "$design" || true)
    printf 'Item%d=%s\r\nValue%d=c%d\r\nDesign%d=%s\r\nHonorific%d=%s\r\n' "$i" "$kubun" "$i" $((i - 1)) "$i" "$d" "$i" "$honorific"
    i=$((i + 1))
  done
} >> "$folder/rules.ini"

measure() {
  label=$1
  shift
  timed "$@" > /dev/null
  awk -v l="$label" -v c="$cpu" -v k="$kilobytes" 'BEGIN {
    printf "  %-40s %6.2f CPU s  %6.1f MB peak  (target <= 10 s, <= 250 MB) %s\n", l, c, k / 1024,
      (c <= 10 && k <= 250 * 1024) ? "met" : "MISSED" }'
}

echo "category rules, $cards cards, $rules rules (CPU seconds are user + system):"
measure "zulname-designs apply --by-rules" "$build/tools/zulname-designs" apply --by-rules --record "$folder/rules.ini"
measure "zulname-designs apply --by-rules (again)" "$build/tools/zulname-designs" apply --by-rules --record "$folder/rules.ini"
measure "zulname-designs rule (one more)" "$build/tools/zulname-designs" rule 区分 c0 - --honorific さん --record "$folder/rules.ini"
