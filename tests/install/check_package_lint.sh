#!/usr/bin/env bash
# The package checked as Debian and the software centres check one: lintian
# finds no error and no warning; the AppStream metainfo and the menu entry
# validate. A checker that is not installed skips its check (status 77) and
# says so.
# usage: check_package_lint.sh lintian|appstream PACKAGE_DIR VERSION
set -euo pipefail
check=$1
debs=("$2"/kelmora_"$3"_*.deb)
source "$(dirname "$0")/lib.sh"
[[ -f ${debs[0]} ]] || fail "no kelmora_$3_*.deb in $2"
deb=${debs[0]}
skip() { echo "SKIPPED: $1 is not installed (scripts/setup-deps test installs it)"; exit 77; }

case "$check" in
  lintian)
    command -v lintian >/dev/null || skip lintian
    # Every tag, infos too, shown; errors and warnings fail.
    report=$(lintian --info --display-info --pedantic --no-tag-display-limit "$deb" 2>&1) || true
    echo "$report"
    if grep -qE '^[EW]: ' <<<"$report"; then fail "lintian finds errors or warnings"; fi
    ;;
  appstream)
    command -v appstreamcli >/dev/null || skip appstreamcli
    command -v desktop-file-validate >/dev/null || skip desktop-file-validate
    root=$(mktemp -d)
    trap 'rm -rf "$root"' EXIT
    dpkg-deb -x "$deb" "$root"
    # Offline: the screenshot's address is not fetched.
    appstreamcli validate --no-net --pedantic --explain "$root"/usr/share/metainfo/*.metainfo.xml ||
      fail "appstreamcli does not accept the metainfo"
    appstreamcli validate-tree --no-net "$root" || fail "appstreamcli does not accept the installed tree"
    report=$(desktop-file-validate "$root/usr/share/applications/kelmora.desktop" 2>&1) ||
      fail "the menu entry is not valid: $report"
    [[ -z $report ]] || fail "desktop-file-validate has remarks: $report"
    ;;
  *) echo "usage: check_package_lint.sh lintian|appstream PACKAGE_DIR VERSION" >&2; exit 2 ;;
esac
echo "$check: passed"
