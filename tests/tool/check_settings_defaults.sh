#!/usr/bin/env bash
# kelmora-tool settings on an empty folder prints every default, exactly.
set -euo pipefail
tool=$1
reference=$2
dir=$(mktemp -d "${TMPDIR:-/tmp}/kelmora-settings.XXXXXX")
trap 'rm -rf "$dir"' EXIT
diff "$reference" <("$tool" settings "$dir")
# Nothing was written into the folder.
test -z "$(ls -A "$dir")"
