#!/usr/bin/env bash
# The Debian package as apt would install it, without installing it: its
# control fields and files, then the program unpacked into a temporary root,
# started through the menu entry's Exec line on a virtual screen with a
# temporary data folder; a memo typed there must land in
# $XDG_DATA_HOME/kelmora, and the help must be found where the package put it.
# usage: check_package.sh PACKAGE_DIR VERSION
set -euo pipefail
package_dir=$1
version=$2
source "$(dirname "$0")/lib.sh"
for tool in dpkg-deb gio Xvfb xdpyinfo xwininfo xprop xdotool; do
  command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/setup-deps test"
done
debs=("$package_dir"/kelmora_"$version"_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "no single kelmora_${version}_*.deb in $package_dir"
deb=${debs[0]}

work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; rm -rf "$work"' EXIT

echo "--- control fields"
field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == kelmora ]] || fail "the package is called $(field Package)"
[[ $(field Version) == "$version" ]] || fail "version $(field Version), not the project's $version"
[[ $(basename "$deb") == "kelmora_${version}_$(field Architecture).deb" ]] || fail "named $(basename "$deb")"
depends=$(field Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//')
for library in libqt6widgets6 libqt6printsupport6 libqt6network6 libqt6svg6 libstdc++6 libc6; do
  grep -qxF "$library" <<<"$depends" || fail "Depends lacks $library: $(field Depends)"
done
[[ $(field Recommends) == "fonts-ipafont-gothic, fonts-ipafont-mincho, qt6-translations-l10n" ]] ||
  fail "Recommends: $(field Recommends)"

echo "--- files"
root=$work/root
dpkg-deb -x "$deb" "$root"
[[ $(ls "$root") == usr ]] || fail "files outside /usr: $(ls "$root")"
share=$root/usr/share
for file in bin/kelmora bin/kelmora-tool share/kelmora/kelmora.hlp share/applications/kelmora.desktop \
    share/icons/hicolor/scalable/apps/kelmora.svg share/doc/kelmora/copyright share/doc/kelmora/changelog.gz \
    share/man/man1/kelmora.1.gz share/man/man1/kelmora-tool.1.gz \
    share/man/ja/man1/kelmora.1.gz share/man/ja/man1/kelmora-tool.1.gz; do
  [[ -f $root/usr/$file ]] || fail "no /usr/$file"
done
[[ -x $root/usr/bin/kelmora && -x $root/usr/bin/kelmora-tool ]] || fail "the programs cannot be run"
for png in "$share"/icons/hicolor/*x*/apps/kelmora.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  [[ $(png_size "$png") == "$size" ]] || fail "$png is $(png_size "$png"), not $size"
done
[[ $(ls -d "$share"/icons/hicolor/*x*/ | wc -l) -ge 6 ]] || fail "too few icon sizes"
metainfo=("$share"/metainfo/*.metainfo.xml)
[[ -f ${metainfo[0]} ]] || fail "no AppStream metainfo"
grep -qF "<release version=\"$version\"" "${metainfo[0]}" || fail "the metainfo's release is not $version"
grep -qF 'xml:lang="ja"' "${metainfo[0]}" || fail "the metainfo has no Japanese"
grep -qF "docs/calendar.png</image>" "${metainfo[0]}" || fail "the screenshot is not the README's picture"
for page in "$share"/man/man1/*.1.gz "$share"/man/ja/man1/*.1.gz; do
  zcat "$page" | head -1 | grep -qF "\"Kelmora $version\"" || fail "$page does not carry version $version"
done
zcat "$share/doc/kelmora/changelog.gz" | head -1 | grep -qF "kelmora ($version)" || fail "the changelog is not of $version"

echo "--- the unpacked calendar, started from its menu entry"
export HOME=$work/home XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The entry's Exec line names the program; it is found where apt would put it.
export PATH=$root/usr/bin:$PATH
source "$(dirname "$0")/../../scripts/lib/xvfb.sh"
start_xvfb 1280x900
pids+=("$xvfb")
export DISPLAY=$display
env -u QT_QPA_PLATFORM gio launch "$share/applications/kelmora.desktop"
window=$(calendar_window "$display")
[[ -n $window ]] || fail "no calendar window appeared"
app=$(xprop -id "$window" _NET_WM_PID | awk '{print $3}')
pids+=("$app")
[[ $(readlink "/proc/$app/exe") == "$root/usr/bin/kelmora" ]] || fail "the window is not the unpacked program's"

# Today's memo cell is ready for typing when the calendar opens.
memo="memo from the package $$"
xdotool windowfocus --sync "$window"
xdotool type --delay 20 "$memo"
month_file=$XDG_DATA_HOME/kelmora/$(date +%Y%m).wmd
for _ in $(seq 100); do [[ -f $month_file ]] && break; sleep 0.1; done
[[ -f $month_file ]] || fail "no month file in $XDG_DATA_HOME/kelmora: $(ls -A "$XDG_DATA_HOME/kelmora" 2>&1)"
# Read back by the unpacked tool, whose DIR is then the same folder.
out=$(kelmora-tool month "$(date +%Y)" "$(date +%-m)")
grep -qF "\"text\": \"$memo\"" <<<"$out" || fail "the month file does not hold the memo typed"
[[ $(ls "$root/usr/bin") == $'kelmora\nkelmora-tool' ]] || fail "files came beside the program: $(ls "$root/usr/bin")"

# ヘルプ → 目次 opens the help installed in /usr/share/kelmora (a missing
# one would give a message box instead).
xdotool key alt+h
sleep 0.3
xdotool key c
helped=""
for _ in $(seq 50); do
  helped=$(xwininfo -root -tree | grep -F '"Kelmora ヘルプ": ("kelmora" "Kelmora")' || true)
  [[ -n $helped ]] && break
  sleep 0.1
done
[[ -n $helped ]] || fail "the help window did not open: $(xwininfo -root -tree | grep -F kelmora)"

end_calendar "$app"
pids=("$xvfb")
[[ -f $XDG_DATA_HOME/kelmora/kelmora.ini ]] || fail "the settings were not kept in $XDG_DATA_HOME/kelmora"
echo "unpacked, started from its entry, memo kept in \$XDG_DATA_HOME/kelmora, help found"
