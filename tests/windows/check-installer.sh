#!/usr/bin/env bash
# Builds the Windows zip and installer with CPack, checks that the zip holds what the program
# needs beside it, installs the installer silently under Wine, starts the installed program (with
# nothing of the build's own Qt in reach) and uninstalls it silently again.
# Needs DISPLAY and WINEPREFIX (scripts/test-windows provides both).
# usage: check-installer.sh <build folder>
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G "NSIS;ZIP" -B "$work/package" >/dev/null)
zip=$(ls "$work"/package/gaokao-countdown-*-win64.zip)
installer=$(ls "$work"/package/gaokao-countdown-*-win64.exe)
echo "packages: $(basename "$zip"), $(basename "$installer")"

listing=$(cmake -E tar tf "$zip")
for file in gaokao-countdown.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll \
    imageformats/qjpeg.dll imageformats/qico.dll styles/qwindowsvistastyle.dll \
    libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll translations/qtbase_zh_CN.qm; do
    grep -q "/bin/$file\$" <<<"$listing" || fail "not in the zip: bin/$file"
done
echo "zip: $(grep -c . <<<"$listing") entries, the program's libraries and plugins among them"

# The installed copy must find everything beside it.
unset WINEPATH QT_PLUGIN_PATH WINEQT_PLUGIN_PATH
folder="$WINEPREFIX/drive_c/Program Files/gaokao-countdown"
wine "$installer" /S || fail "the installer failed with status $?"
for file in bin/gaokao-countdown.exe bin/platforms/qwindows.dll Uninstall.exe; do
    [ -f "$folder/$file" ] || fail "not installed: $file"
done
shortcut=$(find "$WINEPREFIX/drive_c" -path '*Start Menu*' -name '高考倒计时.lnk' | head -n 1)
[ -n "$shortcut" ] || fail "no Start-menu shortcut 高考倒计时"
echo "installed into C:\\Program Files\\gaokao-countdown, shortcut ${shortcut#"$WINEPREFIX/"}"

"$here/check-program.sh" "$folder/bin/gaokao-countdown.exe" "$build/installed-program-under-wine.png"

wine "$folder/Uninstall.exe" /S || fail "the uninstaller failed with status $?"
# The uninstaller copies itself away and goes on after wine returns.
for _ in $(seq 1 60); do
    [ -e "$folder/bin/gaokao-countdown.exe" ] || [ -e "$shortcut" ] || break
    sleep 0.5
done
[ ! -e "$folder/bin/gaokao-countdown.exe" ] || fail "the uninstaller left the program behind"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start-menu shortcut behind"
echo "uninstalled"
