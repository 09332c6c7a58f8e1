#!/usr/bin/env bash
# kelmora-tool as typed: help, a DIR that is no folder, and a settings value
# that holds control characters.
set -euo pipefail
tool=$1
dir=$(mktemp -d "${TMPDIR:-/tmp}/kelmora-tool.XXXXXX")
trap 'rm -rf "$dir"' EXIT
fail() { echo "$*" >&2; exit 1; }

# Help asked for is no error.
for asked in help --help; do
  out=$("$tool" "$asked") || fail "$asked gives status $?"
  grep -q '^usage: kelmora-tool' <<<"$out" || fail "$asked prints no usage"
  grep -q -- '--sunday' <<<"$out" || fail "$asked does not name --sunday"
done

# A folder that is missing, or a file, is refused like a typo must be.
touch "$dir/afile"
for bad in "$dir/missing" "$dir/afile"; do
  for command in "month $bad 2024 12" "settings $bad"; do
    set +e
    # shellcheck disable=SC2086
    "$tool" $command > "$dir/out" 2> "$dir/err"
    status=$?
    set -e
    [ "$status" -eq 1 ] || fail "$command gives status $status, not 1"
    grep -q 'not a folder' "$dir/err" || fail "$command does not say 'not a folder'"
    [ ! -s "$dir/out" ] || fail "$command printed: $(cat "$dir/out")"
  done
done

# One line a key whatever a value holds: a tab, control bytes, a backslash.
mkdir "$dir/calendar"
printf '[memo]\r\nfontname=a\tb\001c\\d\177e\r\n' > "$dir/calendar/kelmora.ini"
out=$("$tool" settings "$dir/calendar")
[ "$(wc -l <<<"$out")" -eq "$("$tool" settings "$dir" | wc -l)" ] || fail "settings lines: $out"
grep -qxF 'memo/fontname = a\tb\u0001c\\d\u007fe' <<<"$out" || fail "fontname is not escaped: $(grep fontname <<<"$out")"
