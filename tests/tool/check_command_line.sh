#!/usr/bin/env bash
# kelmora-tool as typed: help, a DIR that is no folder, a settings value
# that holds control characters, and DIR left out.
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

# DIR left out: the folder the calendar beside the tool uses. Installed (in
# <prefix>/bin with its help in <prefix>/share/kelmora), that is
# $XDG_DATA_HOME/kelmora; a portable copy, its own folder.
mkdir -p "$dir/root/usr/bin" "$dir/root/usr/share/kelmora" "$dir/xdg/kelmora" "$dir/stick"
cp "$tool" "$dir/root/usr/bin/kelmora-tool"
cp "$tool" "$dir/stick/kelmora-tool"
touch "$dir/root/usr/share/kelmora/kelmora.hlp"
printf '[memo]\r\nfontname=installed\r\n' > "$dir/xdg/kelmora/kelmora.ini"
printf '[memo]\r\nfontname=portable\r\n[form]\r\nmon_start=1\r\n' > "$dir/stick/kelmora.ini"
export XDG_DATA_HOME=$dir/xdg
for copy in "root/usr/bin installed sunday $dir/xdg/kelmora/" "stick portable monday $dir/stick/"; do
  read -r where font week folder <<<"$copy"
  out=$("$dir/$where/kelmora-tool" settings)
  grep -qxF "memo/fontname = $font" <<<"$out" || fail "settings without DIR in $where: $(grep fontname <<<"$out")"
  out=$("$dir/$where/kelmora-tool" help)
  grep -qxF "  $folder" <<<"$out" || fail "help in $where does not name $folder"
  out=$("$dir/$where/kelmora-tool" month 2024 5)
  grep -qF "\"weekStart\": \"$week\"" <<<"$out" || fail "month without DIR in $where does not start on $week"
done
