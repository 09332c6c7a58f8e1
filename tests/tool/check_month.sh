#!/usr/bin/env bash
# kelmora-tool month: a Sunday-first file read into Monday-first weeks, the
# week start of the folder's settings, and a file that ends early.
set -euo pipefail
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# December 2024, version 10 (texts only, Sunday-first, 5 weeks): day 1 holds
# "a" CR LF "メモ" (CP932 83 81 83 82), the other 34 cells are empty.
{
  printf '\x0a\x00\x00\x00\x07\x00a\r\n\x83\x81\x83\x82'
  for _ in $(seq 34); do printf '\x00\x00'; done
} > "$dir/202412.wmd"

out=$("$tool" month "$dir" 2024 12 --monday)
grep -q '"weekRows": 6,' <<<"$out" || { echo "weekRows is not 6" >&2; exit 1; }
grep -q '"arrowDataLoaded": false,' <<<"$out" || { echo "arrowDataLoaded is set" >&2; exit 1; }
grep -q '{"week": 1, "column": 6, "day": 1, .*"text": "a\\r\\nメモ"' <<<"$out" ||
  { echo "day 1's memo is not in week 1 column 6" >&2; echo "$out" >&2; exit 1; }

# The week start comes from the folder's settings; an option overrides it.
weekstart() { local json; json=$("$tool" month "$dir" 2024 12 "$@"); grep -o '"weekStart": "[a-z]*"' <<<"$json"; }
[ "$(weekstart)" = '"weekStart": "sunday"' ] || { echo "no settings: not Sunday-first" >&2; exit 1; }
printf '[form]\r\nmon_start=1\r\n' > "$dir/kelmora.ini"
[ "$(weekstart)" = '"weekStart": "monday"' ] || { echo "mon_start=1: not Monday-first" >&2; exit 1; }
[ "$(weekstart --sunday)" = '"weekStart": "sunday"' ] || { echo "--sunday is not Sunday-first" >&2; exit 1; }
out=$("$tool" month "$dir" 2024 12)
grep -q '{"week": 1, "column": 6, "day": 1, .*"text": "a\\r\\nメモ"' <<<"$out" ||
  { echo "mon_start=1: day 1's memo is not in week 1 column 6" >&2; exit 1; }
rm "$dir/kelmora.ini"

head -c 20 "$dir/202412.wmd" > "$dir/202412.tmp" && mv "$dir/202412.tmp" "$dir/202412.wmd"
set +e
"$tool" month "$dir" 2024 12 > /dev/null 2> "$dir/stderr"
status=$?
set -e
[ "$status" -eq 1 ] || { echo "a short file gives status $status, not 1" >&2; exit 1; }
grep -q 'メモデータ読み込みエラー' "$dir/stderr" || { echo "no read error message" >&2; cat "$dir/stderr" >&2; exit 1; }
