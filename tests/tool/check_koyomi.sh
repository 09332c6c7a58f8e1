#!/usr/bin/env bash
# kelmora-tool koyomi: the year 2033 (閏11月, the year whose months hold none
# or two principal terms) against the same calendar worked out from another
# ephemeris, and the calls it refuses.
set -euo pipefail
tool=$1
reference=$2

if ! diff "$reference" <("$tool" koyomi 2033-01-01 2033-12-31) >&2; then
  echo "kelmora-tool koyomi 2033 differs from the reference" >&2
  exit 1
fi

status=0
refuse() {
  local code=0
  "$tool" koyomi "$@" > /dev/null 2>&1 || code=$?
  if [ "$code" -ne 2 ]; then
    echo "kelmora-tool koyomi $* gives status $code, not 2" >&2
    status=1
  fi
}
refuse
refuse 2024-01-01
refuse 2024-01-01 2024-01-02 2024-01-03
refuse 2024-02-30 2024-03-01
refuse 2024-1-5 2024-01-06
refuse 20240101 20240102
refuse 2024-01-01x 2024-01-02
refuse 1899-12-31 1900-01-01
refuse 2100-12-31 2101-01-01
refuse 2024-02-01 2024-01-31
exit $status
