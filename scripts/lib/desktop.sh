# shellcheck shell=bash
# Sourced by scripts/install and scripts/uninstall: where the calendar goes
# for this user and how the desktop learns of it.

# The user's data folder ($XDG_DATA_HOME, ~/.local/share when unset or not an
# absolute path, as the desktop reads it).
data_home() {
  if [[ ${XDG_DATA_HOME:-} == /* ]]; then printf '%s\n' "$XDG_DATA_HOME"
  else printf '%s\n' "$HOME/.local/share"; fi
}

# calendar_dir [DIR]: the absolute folder of the program and its data. Names
# that cannot be installed or started from a menu everywhere are refused: a
# control character cannot stand in a menu entry, cmake takes a backslash for
# a separator, and some desktops look for a program named with "%" under the
# doubled "%%" its entry must hold.
calendar_dir() {
  local dir
  dir=$(realpath -m -- "${1:-$(data_home)/kelmora}")
  if [[ $dir == *[[:cntrl:]\\%]* ]]; then
    echo "$(basename "$0"): choose a folder whose name holds no control character, backslash or %: $dir" >&2
    return 1
  fi
  printf '%s\n' "$dir"
}

desktop_entry() { printf '%s\n' "$(data_home)/applications/kelmora.desktop"; }
icon_theme_dir() { printf '%s\n' "$(data_home)/icons/hicolor"; }

# A value as a desktop entry's string: a backslash is written twice.
desktop_string() { printf '%s' "${1//\\/\\\\}"; }

# The Exec value that starts PROGRAM: in double quotes, with the characters
# that stay special inside them escaped, then written as a desktop string.
exec_value() {
  local q=$1
  q=${q//\\/\\\\}
  q=${q//\"/\\\"}
  q=${q//\`/\\\`}
  q=${q//\$/\\\$}
  desktop_string "\"$q\""
}

# The TryExec line of the entry that starts the calendar in DIR.
try_exec_line() { printf 'TryExec=%s\n' "$(desktop_string "$1/kelmora")"; }

# Menus and icon lookups see the change without a new login. An icon cache is
# refreshed only where one is already kept: a new one would hide the icons
# other programs later add without refreshing it. Neither tool is required.
refresh_desktop_caches() {
  local icons apps
  icons=$(icon_theme_dir)
  apps=$(data_home)/applications
  if [[ -d $icons ]]; then
    touch "$icons"
    if [[ -f $icons/icon-theme.cache ]] && command -v gtk-update-icon-cache >/dev/null; then
      gtk-update-icon-cache --quiet --force --ignore-theme-index "$icons" ||
        echo "note: gtk-update-icon-cache failed; the icon may show only after the next login" >&2
    fi
  fi
  if [[ -d $apps ]] && command -v update-desktop-database >/dev/null; then
    update-desktop-database --quiet "$apps" ||
      echo "note: update-desktop-database failed; the menu may show the change only after the next login" >&2
  fi
  return 0
}
