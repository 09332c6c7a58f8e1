#!/usr/bin/env bash
# kelmora-tool search: the lines it prints for the days found, and its exit
# status for hits, for none and for bad calls.
set -euo pipefail
tool=$1
dir=$(mktemp -d "${TMPDIR:-/tmp}/kelmora-search.XXXXXX")
trap 'rm -rf "$dir"' EXIT

# One memo: its length in CP932 bytes (16 bits, little-endian), then the bytes.
memo() {
  if [ -z "$1" ]; then printf '\x00\x00'; return; fi
  local bytes
  bytes=$(printf '%s' "$1" | iconv -f UTF-8 -t CP932 | od -An -tx1 | tr -d ' \n')
  local n=$((${#bytes} / 2))
  printf "\\x$(printf %02x $((n & 255)))\\x$(printf %02x $((n >> 8)))"
  printf '%s' "$1" | iconv -f UTF-8 -t CP932
}

# A month file of version 10 (Sunday-first, texts only) with 35 cells; the
# arguments after the file are "cell=text", cell 0 being Sunday of week 1.
write_month() {
  local file=$1
  shift
  local cells=()
  for _ in $(seq 35); do cells+=(""); done
  local pair
  for pair in "$@"; do cells[${pair%%=*}]=${pair#*=}; done
  { printf '\x0a\x00\x00\x00'; for text in "${cells[@]}"; do memo "$text"; done; } > "$file"
}

# December 2024 begins on a Sunday, November 2024 on a Friday.
write_month "$dir/202412.wmd" "0=歯医者 10:00" "30=買い物"$'\r\n'"ｼｶ 予約"
write_month "$dir/202411.wmd" "34=歯医者"
write_month "$dir/202410.wmd" "3=歯医者"
head -c 30 "$dir/202410.wmd" > "$dir/short" && mv "$dir/short" "$dir/202410.wmd"
cp "$dir/202411.wmd" "$dir/notes.wmd"

fail() { echo "$*" >&2; exit 1; }

# The lines, the status and standard error of one call.
run() {
  set +e
  out=$("$tool" search "$@" 2> "$dir/stderr")
  status=$?
  set -e
  err=$(cat "$dir/stderr")
}

expect() {  # STATUS OUTPUT ARGS...
  local want_status=$1 want_out=$2
  shift 2
  run "$@"
  [ "$status" -eq "$want_status" ] || fail "search $*: status $status, not $want_status ($err)"
  [ "$out" == "$want_out" ] || fail "search $*: printed"$'\n'"$out"$'\n'"not"$'\n'"$want_out"
}

expect 0 $'2024-11-30\t歯医者\n2024-12-01\t歯医者 10:00' "$dir" 歯医者
grep -q 'cannot be read: 202410.wmd' <<<"$err" || fail "the short file is not reported: $err"
expect 0 $'2024-12-31\tｼｶ 予約' "$dir" しか
expect 0 $'2024-12-01\t歯医者 10:00' "$dir" 歯医者 --from 2024-12
expect 0 $'2024-11-30\t歯医者' "$dir" --to 2024-11 歯医者
expect 0 $'2024-11-30\t歯医者' "$dir" 歯医者 --from 2024-11 --to 2024-11
expect 1 "" "$dir" 会議
expect 1 "" "$dir" 歯医者 --from 2025-01
expect 1 "" "$dir" "😀"

# Bad calls.
for args in "" \
            "$dir 歯医者 extra" \
            "$dir/202412.wmd 歯医者" \
            "$dir/missing 歯医者" \
            "$dir 歯医者 --from" \
            "$dir 歯医者 --from 2024-13" \
            "$dir 歯医者 --from 2024-1" \
            "$dir 歯医者 --to 2024-12 --to 2025-01" \
            "$dir 歯医者 --from 2025-01 --to 2024-12"; do
  read -ra argv <<<"$args"
  expect 2 "" "${argv[@]}"
done
expect 2 "" "$dir" ""
expect 2 "" "$dir" $'歯医者\n10:00'
