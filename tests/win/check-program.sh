#!/usr/bin/env bash
# Starts the real Windows program under Wine with Windows' own windows: first with --help, which
# without a console shows a message box, and from cmd.exe, where --version reaches its console;
# then as a user does, waits for its board, takes a screenshot of it and checks that the board's
# area shows the chalkboard; then ends it. Given a state file, it skips the command-line checks
# and leaves the program running: the file's first line is its process id and a second line, its
# exit status, is added when it ends.
# Needs DISPLAY and WINEPREFIX (scripts/test-windows provides both).
# usage: check-program.sh <gaokao-countdown.exe> <screenshot.png> [<state file>]
set -euo pipefail
exe=$1
shot=$2
keep=${3:+yes}
state=${3:-$(mktemp)}
log=$(mktemp)
program=
runner=
finish() {
    if [ -n "$program" ] && [ -z "$runner" ]; then
        kill "$program" 2>/dev/null || true
    fi
    if [ -n "$runner" ] && [ -z "$keep" ]; then
        kill "$program" 2>/dev/null || true
        wait "$runner" 2>/dev/null || true
        rm -f "$state"
    fi
    rm -f "$log"
}
trap finish EXIT
fail() {
    echo "FAIL: $*" >&2
    echo "--- the program's output:" >&2
    cat "$log" >&2
    exit 1
}

unset QT_QPA_PLATFORM WINEQT_QPA_PLATFORM

if [ -z "$keep" ]; then
    # Started without a console (and nothing redirected: /dev/null is no file or pipe to Windows),
    # --help shows its text in a message box named after the program, and the program ends with
    # status 0 when it is closed: no board opens.
    wine "$exe" --help </dev/null >/dev/null 2>&1 &
    program=$!
    box=
    for _ in $(seq 1 60); do
        box=$(xdotool search --onlyvisible --name '^高考倒计时$' 2>/dev/null | head -n 1) && [ -n "$box" ] && break
        kill -0 "$program" 2>/dev/null || fail "--help ended with status $(wait "$program"; echo $?) without a message box"
        sleep 0.5
    done
    [ -n "$box" ] || fail "no message box for --help within 30 s"
    xdotool key --window "$box" Return 2>/dev/null
    for _ in $(seq 1 20); do kill -0 "$program" 2>/dev/null || break; sleep 0.5; done
    kill -0 "$program" 2>/dev/null && fail "--help is still running after its message box was closed"
    wait "$program" && status=0 || status=$?
    program=
    [ "$status" -eq 0 ] || fail "--help ended with status $status"
    echo "--help without a console: a message box titled 高考倒计时, status 0"

    # Started from cmd.exe on a terminal (script gives it one), the answer reaches that console.
    console=$(mktemp)
    timeout 60 script -qec "wine cmd /c \"$(winepath -w "$exe")\" --version" "$console" >/dev/null 2>&1 \
        || fail "cmd /c gaokao-countdown.exe --version failed"
    grep -q 'gaokao-countdown [0-9]' "$console" || fail "--version did not reach cmd's console"
    rm -f "$console"
    echo "--version from cmd.exe: printed in its console"
fi

: >"$state"
(
    WINEQT_FORCE_STDERR_LOGGING=1 wine "$exe" >"$log" 2>&1 &
    echo $! >"$state"
    status=0
    wait $! || status=$?
    echo "$status" >>"$state"
) >/dev/null 2>&1 &
runner=$!
until [ -s "$state" ]; do sleep 0.1; done
program=$(head -n 1 "$state")

window=
for _ in $(seq 1 120); do
    window=$(xdotool search --onlyvisible --name '^高考倒计时$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    kill -0 "$program" 2>/dev/null || fail "the program ended with status $(sed -n 2p "$state")"
    sleep 0.5
done
[ -n "$window" ] || fail "no window titled 高考倒计时 within 60 s"

# The board is 777 x 541; most of its middle is bare chalkboard, a dark green.
read -r width height < <(xdotool getwindowgeometry --shell "$window" | sed -n 's/^\(WIDTH\|HEIGHT\)=//p' | paste -sd' ')
[ "$width" -ge 700 ] && [ "$height" -ge 500 ] || fail "window is ${width}x${height}"
for _ in $(seq 1 20); do
    sleep 0.5
    import -window "$window" "$shot" 2>/dev/null || continue
    read -r red green blue <<<"$(convert "$shot" -crop 300x150+60+220 +repage \
        -format '%[fx:int(255*mean.r)] %[fx:int(255*mean.g)] %[fx:int(255*mean.b)]' info:)"
    if [ "$green" -gt $((red + 15)) ] && [ "$green" -gt $((blue + 10)) ]; then
        echo "board shown: ${width}x${height}, mean colour of its middle ($red, $green, $blue); $shot"
        exit 0
    fi
done
fail "the board's middle is not chalkboard green but ($red, $green, $blue); see $shot"
