#!/usr/bin/env bash
# Starts the real Windows program under Wine with Windows' own windows, waits for its board, takes
# a screenshot of it and checks that the board's area shows the chalkboard; then ends it, unless a
# state file is given: the program then keeps running, the file's first line is its process id
# and a second line, its exit status, is added when it ends.
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
