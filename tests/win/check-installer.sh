#!/usr/bin/env bash
# Builds the Windows zip and installer with CPack and checks them under Wine: the zip, stripped,
# runs from a Chinese path with spaces; the installer refuses Windows 7 and carries its details;
# silent installs per user and for all users, reinstalling (into another folder asked for, with
# the colour dialog open) and uninstalling over a running and a stopped program, an uninstaller
# that leaves alone an entry not its own, nothing left after uninstalling; screenshots of the
# installer's first and last pages, whose button starts the program for this year's exam.
# Needs DISPLAY and WINEPREFIX (scripts/test-windows provides both).
# usage: check-installer.sh <build folder>
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
stopped=
shown=
finish() {
    if [ -n "$stopped" ]; then kill -CONT "$stopped" 2>/dev/null || true; fi
    if [ -n "$shown" ]; then kill "$shown" 2>/dev/null || true; fi
    # A program left running by a failed check.
    for state in "$work/running" "$work/stopped"; do
        if [ -s "$state" ]; then kill "$(head -n 1 "$state")" 2>/dev/null || true; fi
    done
    rm -rf "$work"
}
trap finish EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G "NSIS;ZIP" -B "$work/package" >/dev/null)
zip=$(ls "$work"/package/gaokao-countdown-*-win64.zip)
installer=$(ls "$work"/package/gaokao-countdown-*-win64.exe)
echo "packages: $(basename "$zip"), $(basename "$installer")"

# The zip opens onto the program, with its libraries and plugins beside it.
listing=$(cmake -E tar tf "$zip")
for file in gaokao-countdown.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll \
    imageformats/qjpeg.dll imageformats/qico.dll styles/qwindowsvistastyle.dll \
    libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll translations/qtbase_zh_CN.qm \
    README.txt LICENSE.txt licenses/Qt/LGPL-3.0.txt licenses/fonts/OFL-sans.txt; do
    grep -qx "$file" <<<"$listing" || fail "not at the top of the zip: $file"
done
echo "zip: $(grep -c . <<<"$listing") entries, the program at its top"

# Unpacked where a student might put it; the zip's program is stripped, the build's is not.
unpacked="$WINEPREFIX/drive_c/用户 文件/高考 倒计时"
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip")
debug_sections() { x86_64-w64-mingw32-objdump -h "$1" | grep -c ' \.debug_' || true; }
for file in gaokao-countdown.exe Qt6Core.dll; do
    [ "$(debug_sections "$unpacked/$file")" -eq 0 ] || fail "$file in the zip is not stripped"
done
[ "$(debug_sections "$build/gaokao-countdown.exe")" -gt 0 ] || fail "the build's program lost its symbols"
# The installed copies must find everything beside them.
unset WINEPATH QT_PLUGIN_PATH WINEQT_PLUGIN_PATH
"$here/check-program.sh" "$unpacked/gaokao-countdown.exe" "$work/zip.png"
echo "the zip's stripped program runs from C:\\用户 文件\\高考 倒计时"

manifest=$(grep -ao 'requestedExecutionLevel level="[A-Za-z]*"' "$installer")
[ "$manifest" = 'requestedExecutionLevel level="asInvoker"' ] || fail "installer manifest: $manifest"
echo "installer manifest: $manifest"

uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\gaokao-countdown'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
# reg_value <key> <name>: the value's data, or nothing.
reg_value() {
    wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
# snapshot <folder>: every file with its content hash, then with its times of change.
snapshot() {
    (cd "$1" && find . -type f -exec sha256sum {} + | sort -k2 && find . -type f -exec stat -c '%n %Y %Z' {} + | sort)
}
# Starts the installed program and leaves it running; state file $work/$1.
start() { "$here/check-program.sh" "$folder/gaokao-countdown.exe" "$work/$1.png" "$work/$1"; }
# Waits for the program started as $1 to end, and checks that it ended cleanly.
ended() {
    for _ in $(seq 1 60); do
        status=$(sed -n 2p "$work/$1")
        [ -z "$status" ] || { [ "$status" = 0 ] || fail "the program ended with status $status"; return; }
        sleep 0.5
    done
    fail "the running program did not end"
}
# The uninstaller copies itself away and goes on after wine returns.
wait_removed() {
    for _ in $(seq 1 60); do [ -e "$1" ] || return 0; sleep 0.5; done
    fail "still there after uninstalling: $1"
}

# For the current user by default: no administrator rights needed.
win_path() { wine cmd /c "echo $1" | tr -d '\r'; }
win_folder="$(win_path %LOCALAPPDATA%)\\Programs\\gaokao-countdown"
folder=$(winepath -u "$win_folder")
data_folder="$(winepath -u "$(win_path %LOCALAPPDATA%)")/gaokao-countdown"

# Windows 7 is refused with status 3 before anything is written.
wine winecfg -v win7
status=0
wine "$installer" /S || status=$?
wine winecfg -v win10
[ "$status" -eq 3 ] || fail "the installer ended with status $status on Windows 7"
[ ! -e "$folder" ] && [ -z "$(reg_value "HKCU\\$uninstall_key" InstallLocation)" ] \
    || fail "the installer refused on Windows 7 left files or an entry"
echo "on Windows 7: refused with status 3, nothing installed"

# Explorer's Details of the installer and of the uninstaller it writes.
details() {
    /usr/bin/python3 - "$1" <<'PYTHON'
import sys, pefile
pe = pefile.PE(sys.argv[1])
strings = {}
for info in getattr(pe, "FileInfo", [[]])[0]:
    for table in getattr(info, "StringTable", []):
        strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
print("|".join(strings.get(k, "") for k in ("ProductName", "ProductVersion", "FileDescription", "LegalCopyright")))
PYTHON
}
wine "$installer" /S || fail "the installer failed with status $?"
[ -f "$folder/gaokao-countdown.exe" ] || fail "not installed into $folder"
for entry in "InstallLocation=$win_folder" NoModify=0x1 NoRepair=0x1 EstimatedSize=0x \
    "DisplayIcon=$win_folder" "QuietUninstallString=\"$win_folder"; do
    [[ "$(reg_value "HKCU\\$uninstall_key" "${entry%%=*}")" == "${entry#*=}"* ]] \
        || fail "the HKCU uninstall entry lacks $entry"
done
menu="$(winepath -u "$(win_path %APPDATA%)")/Microsoft/Windows/Start Menu/Programs/高考倒计时"
ls "$menu"/{高考倒计时,卸载高考倒计时}.lnk >/dev/null || fail "Start-menu shortcuts missing"
tr -d '\0' <"$menu/高考倒计时（今年）.lnk" | grep -q -- '--exam-date next' \
    || fail "no shortcut 高考倒计时（今年） with --exam-date next"
version=$(sed -n 's/.*gaokao-countdown-\(.*\)-win64.exe/\1/p' <<<"$installer")
for file in "$installer" "$folder/Uninstall.exe"; do
    read -r answer < <(details "$file")
    [[ "$answer" =~ ^高考倒计时\|$version\|高考倒计时.+\|.*Copyright ]] \
        || fail "the details of $(basename "$file") read: $answer"
done
echo "the installer's and the uninstaller's details: $answer"
size=$(du -sk "$folder" | cut -f1)
[ "$size" -lt 30720 ] || fail "the installation takes $size KiB"
echo "installed into $win_folder ($size KiB), HKCU entry, three shortcuts"

# titled <pattern>: the first visible window with such a title, once there is one.
titled() {
    for _ in $(seq 1 40); do
        xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 | grep . && return
        sleep 0.5
    done
    fail "no window titled $1"
}

start running
cp "$work/running.png" "$build/installed-program-under-wine.png"
# As a user may leave it: the editor open (a press on the hours figure) and its colour dialog up.
xdotool mousemove --window "$(titled '^高考倒计时$')" 284 456 click 1
xdotool mousemove --window "$(titled '^颜色编辑器$')" 268 36 click 1
titled '^选择颜色$' >/dev/null
touch "$work/mark"
sleep 1
# Another folder asked for: the installation found through its entry is updated where it is.
wine "$installer" /S '/D=C:\elsewhere' || fail "the reinstall over the running program failed with status $?"
ended running
not_replaced=$(find "$folder" -type f ! -cnewer "$work/mark")
[ -z "$not_replaced" ] || fail "not replaced by the reinstall: $not_replaced"
[ ! -e "$WINEPREFIX/drive_c/elsewhere" ] || fail "a second installation in C:\\elsewhere"
echo "reinstall into another folder over the running program with its colour dialog open: it ended with status 0; all $(find "$folder" -type f | wc -l) files rewritten where they were"

# A program that does not answer (stopped) keeps its files: install and uninstall change nothing
# and say so in their status (the uninstaller run in place, so that its status is its own).
start stopped
stopped=$(head -n 1 "$work/stopped")
kill -STOP "$stopped"
before=$(snapshot "$folder")
status=0
wine "$installer" /S || status=$?
[ "$status" -ne 0 ] || fail "the installer reported success over a program it could not end"
[ "$(snapshot "$folder")" = "$before" ] || fail "the refused install changed files"
status=0
wine "$folder/Uninstall.exe" /S "_?=$win_folder" || status=$?
[ "$status" -ne 0 ] || fail "the uninstaller reported success over a program it could not end"
[ "$(snapshot "$folder")" = "$before" ] || fail "the refused uninstall changed files"
[ -n "$(reg_value "HKCU\\$uninstall_key" InstallLocation)" ] || fail "the refused uninstall removed the entry"
echo "over a program that does not answer: install and uninstall refused (status $status), every file's hash and times unchanged"
kill -CONT "$stopped"
kill "$stopped"
stopped=

# An uninstaller whose entry and shortcuts have come to belong to an installation elsewhere
# removes its own files and leaves those alone.
wine reg add "HKCU\\$uninstall_key" /v InstallLocation /d 'C:\elsewhere' /f >/dev/null
wine "$folder/Uninstall.exe" /S "_?=$win_folder" || fail "the uninstaller failed with status $?"
[ ! -e "$folder/gaokao-countdown.exe" ] || fail "the uninstaller left its program"
[ "$(reg_value "HKCU\\$uninstall_key" InstallLocation)" = 'C:\elsewhere' ] \
    || fail "the uninstaller removed an entry that was not its own"
ls "$menu"/{高考倒计时,卸载高考倒计时}.lnk >/dev/null || fail "the uninstaller removed shortcuts that were not its own"
echo "an uninstaller whose entry points elsewhere: its files gone, the entry and shortcuts kept"
wine reg add "HKCU\\$uninstall_key" /v InstallLocation /d "$win_folder" /f >/dev/null
wine "$installer" /S || fail "the install over the uninstalled folder failed with status $?"

# Uninstalling while the program runs with autostart on: nothing of it is left, the user's own
# file in its folder stays. The answers go to a file: with no console and nothing redirected, the
# program would show them in a message box and wait for it.
wine "$folder/gaokao-countdown.exe" --autostart on --exam-date next >"$work/answers.txt"
[ -n "$(reg_value "$run_key" gaokao-countdown)" ] || fail "--autostart on wrote no Run value"
echo "mine" >"$folder/笔记.txt"
start running
wine "$folder/Uninstall.exe" /S || fail "the uninstaller failed with status $?"
ended running
wait_removed "$folder/Uninstall.exe"
[ "$(ls -A "$folder")" = 笔记.txt ] || fail "left in $folder: $(ls -A "$folder")"
rm -r "$folder"
[ ! -e "$menu" ] || fail "the uninstaller left $menu"
[ -z "$(reg_value "$run_key" gaokao-countdown)" ] || fail "the uninstaller left the Run value"
[ ! -e "$data_folder" ] || fail "the uninstaller left $data_folder"
wine regedit /E "$(winepath -w "$work/registry.reg")" HKEY_CURRENT_USER
wine regedit /E "$(winepath -w "$work/machine.reg")" 'HKEY_LOCAL_MACHINE\Software'
left=$(cat "$work/registry.reg" "$work/machine.reg" | iconv -f UTF-16 -t UTF-8 | grep -i gaokao || true)
[ -z "$left" ] || fail "left in the registry: $left"
echo "uninstalled while running with autostart on: no file, shortcut, key or Run value left"

# For every user, with administrator rights (Wine's user has them). Its uninstaller leaves alone
# the autostart of another copy: the zip's.
wine "$unpacked/gaokao-countdown.exe" --autostart on >>"$work/answers.txt"
folder="$WINEPREFIX/drive_c/Program Files/gaokao-countdown"
wine "$installer" /S /AllUsers || fail "the installer failed with status $? for all users"
[ -f "$folder/gaokao-countdown.exe" ] || fail "not installed into $folder"
[ "$(reg_value "HKLM\\$uninstall_key" InstallLocation)" = 'C:\Program Files\gaokao-countdown' ] \
    || fail "no HKLM uninstall entry"
echo "installed for all users into C:\\Program Files\\gaokao-countdown, HKLM entry"
wine "$folder/Uninstall.exe" /S || fail "the uninstaller failed with status $? for all users"
wait_removed "$folder"
[ -z "$(reg_value "HKLM\\$uninstall_key" InstallLocation)" ] || fail "the HKLM entry is left"
[ -n "$(reg_value "$run_key" gaokao-countdown)" ] || fail "uninstalling removed the zip's autostart"
wine "$unpacked/gaokao-countdown.exe" --autostart off >>"$work/answers.txt"
echo "uninstalled for all users; the zip's autostart left alone"

# The first page as a user sees it. Wine's own dialogs draw Chinese with the faces named here.
{
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    printf '"%s"="Noto Sans CJK SC"\r\n' SimSun 宋体 "MS Shell Dlg" "MS Shell Dlg 2"
} | { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$work/faces.reg"
wine regedit /S "$(winepath -w "$work/faces.reg")"
folder=$(winepath -u "$win_folder")
wine "$installer" &
shown=$!
window=$(titled '^高考倒计时 安装')
sleep 1
import -window "$window" "$build/installer-under-wine.png"
# The folder page's default button installs; the finish page's starts the program for this year.
xdotool windowfocus --sync "$window" key Return
for _ in $(seq 1 60); do [ -e "$folder/Uninstall.exe" ] && break; sleep 0.5; done
sleep 2
import -window "$window" "$build/installer-finish-under-wine.png"
xdotool windowfocus --sync "$window" key Return
started=
for _ in $(seq 1 40); do
    started=$(ps -eo pid=,args= | grep -a 'gaokao-countdown\.exe' | grep -v grep | head -n 1) && [ -n "$started" ] && break
    sleep 0.5
done
[[ "$started" == *'gaokao-countdown.exe --exam-date next' ]] || fail "the finish page started: ${started:-nothing}"
read -r pid started <<<"$started"
kill "$pid"
wait "$shown" || true
shown=
wine "$folder/Uninstall.exe" /S || fail "the uninstaller failed with status $?"
wait_removed "$folder"
echo "installer's pages: $build/installer-under-wine.png, $build/installer-finish-under-wine.png; the finish page started $started"
