#!/usr/bin/env bash
# Installs the calendar as a user does, into a temporary folder and data
# folder; starts it through its menu entry on a virtual screen and ends it as
# a session does; installs again over a calendar holding data; uninstalls.
# usage: check_install.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
for tool in desktop-file-validate gio Xvfb xdpyinfo xwininfo xprop; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/setup-deps test" >&2; exit 1; }
done
source "$(dirname "$0")/lib.sh"

work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; rm -rf "$work"' EXIT
export HOME=$work/home XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# A name a menu entry must quote and escape.
dir="$work/Kelmora's \$data 予定"
entry=$XDG_DATA_HOME/applications/kelmora.desktop
icons=$XDG_DATA_HOME/icons/hicolor
install_calendar() { KELMORA_BUILD_DIR=$build_dir "$source_dir/scripts/install" "$dir"; }

echo "--- install"
install_calendar
cmp "$dir/kelmora" "$build_dir/src/kelmora" || fail "the installed program is not the one built"
cmp "$dir/kelmora.hlp" "$build_dir/src/kelmora.hlp" || fail "the help file is not beside the program"
for size in 16 22 24 32 48 64 128 256; do
  png=$icons/${size}x${size}/apps/kelmora.png
  [[ -f $png ]] || fail "no $size pixel icon"
  [[ $(png_size "$png") == "${size}x${size}" ]] || fail "$png is $(png_size "$png"), not ${size}x${size}"
done
cmp "$icons/scalable/apps/kelmora.svg" "$source_dir/packaging/kelmora.svg" || fail "no scalable icon"
report=$(desktop-file-validate "$entry" 2>&1) || fail "the menu entry is not valid: $report"
[[ -z $report ]] || fail "desktop-file-validate has remarks: $report"

echo "--- start through the menu entry"
source "$source_dir/scripts/lib/xvfb.sh"
start_xvfb 1024x768
pids+=("$xvfb")
env -u QT_QPA_PLATFORM DISPLAY="$display" gio launch "$entry"
window=$(calendar_window "$display")
[[ -n $window ]] || fail "no calendar window appeared"
app=$(xprop -display "$display" -id "$window" _NET_WM_PID | awk '{print $3}')
pids+=("$app")
[[ $(readlink "/proc/$app/exe") == "$dir/kelmora" ]] || fail "the window is not the installed program's"
class=$(xprop -display "$display" -id "$window" WM_CLASS | sed 's/.*, "\(.*\)"/\1/')
grep -qxF "StartupWMClass=$class" "$entry" || fail "task bars cannot match window class $class to the entry"
window_icons=$(xprop -display "$display" -id "$window" _NET_WM_ICON)
for size in 16 32 48; do
  grep -qF "Icon ($size x $size)" <<<"$window_icons" || fail "the window has no $size pixel icon"
done
end_calendar "$app"
pids=("$xvfb")
[[ -f $dir/kelmora.ini ]] || fail "the calendar kept no settings beside itself"

echo "--- install again over a calendar with data"
printf '\xf0\x00\x00\x00\x04\x00\x83\x81\x83\x82' >"$dir/202405.wmd"
printf 'my own notes\n' >"$dir/notes.txt"
mkdir "$dir/rescue"
printf 'rescued' >"$dir/rescue/202404.wmd"
user_files=(202405.wmd kelmora.ini notes.txt rescue/202404.wmd)
mkdir "$work/before"
(cd "$dir" && cp --parents -p "${user_files[@]}" "$work/before/")
before=$(cd "$dir" && find . | sort)
printf 'an older help file' >"$dir/kelmora.hlp"
printf '#!/bin/sh\n' >"$dir/kelmora"
install_calendar
cmp "$dir/kelmora" "$build_dir/src/kelmora" || fail "the program was not upgraded"
cmp "$dir/kelmora.hlp" "$build_dir/src/kelmora.hlp" || fail "the help file was not upgraded"
for file in "${user_files[@]}"; do
  cmp "$dir/$file" "$work/before/$file" || fail "$file changed"
done
[[ $(cd "$dir" && find . | sort) == "$before" ]] || fail "files came or went in the calendar's folder"

echo "--- uninstall"
said=$("$source_dir/scripts/uninstall" "$dir")
echo "$said"
for gone in "$dir/kelmora" "$dir/kelmora.hlp" "$entry" "$icons/scalable/apps/kelmora.svg" \
    "$icons"/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/kelmora.png; do
  [[ ! -e $gone ]] || fail "$gone is still there"
done
for file in "${user_files[@]}"; do
  cmp "$dir/$file" "$work/before/$file" || fail "$file changed"
done
grep -qF "$dir" <<<"$said" || fail "uninstall does not say where the data stays"
echo "installed, started, upgraded and uninstalled"
