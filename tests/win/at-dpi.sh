#!/usr/bin/env bash
# Runs a test program under Wine as on a Windows desktop scaled to the given dots per inch (96 is
# 100 %, 120 is 125 %): sets the prefix's LogPixels for this run and puts the previous value back
# afterwards, so no other test sees it. CTest runs these one at a time (RUN_SERIAL).
# usage: at-dpi.sh <dpi> <runner> <program.exe> [arguments]
set -euo pipefail
dpi=$1
shift
key='HKCU\Control Panel\Desktop'
previous=$(wine reg query "$key" /v LogPixels 2>/dev/null | awk '$1 == "LogPixels" { print $3 }' || true)
restore() {
    if [ -n "$previous" ]; then
        wine reg add "$key" /v LogPixels /t REG_DWORD /d "$((previous))" /f >/dev/null 2>&1
    else
        wine reg delete "$key" /v LogPixels /f >/dev/null 2>&1 || true
    fi
}
trap restore EXIT
wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
"$@"
