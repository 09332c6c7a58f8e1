#!/usr/bin/env bash
# kelmora-tool holidays, in both week layouts, against the reference list.
set -euo pipefail
tool=$1
reference=$2

compact() {
  # "1973-04-30<TAB>振替休日" -> "1973 ... 4/30* ..." (one line a year)
  awk -F'\t' '
    {
      split($1, d, "-"); y = d[1]; md = (d[2] + 0) "/" (d[3] + 0)
      if ($2 == "振替休日" || $2 == "国民の休日") md = md "*"
      if (y != last) { if (last != "") print line; line = y; last = y }
      line = line " " md
    }
    END { if (last != "") print line }'
}

expected=$(grep -v '^#' "$reference")
status=0
for layout in "" "--monday"; do
  actual=$("$tool" holidays 1955 2027 $layout | compact)
  if ! diff <(echo "$expected") <(echo "$actual") >&2; then
    echo "kelmora-tool holidays ${layout:-(Sunday-first)} differs from the reference" >&2
    status=1
  fi
done
exit $status
