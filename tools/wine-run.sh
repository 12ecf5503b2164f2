#!/usr/bin/env bash
# Runs a Windows program under Wine the way Tolvan's users run it: Chinese locale
# (code page 936), China Standard Time, fonts resolving to an installed CJK font, in a private
# Wine prefix, on the current display or a private Xvfb display when there is none.
# Usage: wine-run.sh PROGRAM.exe [ARGS...]   (exit code = the program's)
set -uo pipefail

CACHE=${TOLVAN_CACHE:-/var/cache/tolvan}
export WINEPREFIX=${TOLVAN_WINEPREFIX:-$CACHE/wineprefix}
export WINEARCH=win64
# Wine takes its ANSI code page (936) from the host locale; LC_ALL overrides any LC_* of the
# caller's environment.
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8
# China Standard Time (Asia/Shanghai, UTC+8 without daylight saving) in the POSIX form: Wine
# passes TZ on to the programs, and the C run-time inside them reads only this form (a zone
# name such as Asia/Shanghai leaves it in UTC while Windows itself says UTC+8).
export TZ=CST-8
export WINEDEBUG=${WINEDEBUG:--all}
# No .NET or Gecko installers on first start.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winemenubuilder.exe=d"}
HERE=$(cd "$(dirname "$0")" && pwd)

# Wine draws the buttons of every caption, scroll-bar arrows and check marks with glyphs of
# the Marlett symbol font. Debian's Wine 8 looks for its own fonts (Debian package fonts-wine,
# /usr/share/wine/fonts) under "<data dir>\../fonts", a path with a "/" inside a Windows
# path that it never resolves, so Marlett is not found and the font fallback draws the
# letters "0 1 r" instead. The prefix's own Fonts folder is searched first: Marlett is
# copied there.
WINE_FONTS=/usr/share/wine/fonts
install_symbol_font() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ ! -f "$WINE_FONTS/marlett.ttf" ]; then
        if [ ! -f "$WINEPREFIX/.tolvan-no-marlett" ]; then
            echo "[wine-run] $WINE_FONTS/marlett.ttf is missing (Debian package fonts-wine):" \
                 "captions will show their buttons as letters" >&2
            touch "$WINEPREFIX/.tolvan-no-marlett"
        fi
        return
    fi
    if ! cmp -s "$WINE_FONTS/marlett.ttf" "$fonts/marlett.ttf"; then
        mkdir -p "$fonts"
        cp "$WINE_FONTS/marlett.ttf" "$fonts/marlett.ttf"
        rm -f "$WINEPREFIX/.tolvan-no-marlett"
    fi
}

prepare_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -f "$WINEPREFIX/.tolvan-ready" ]; then
        echo "[wine-run] creating Wine prefix $WINEPREFIX" >&2
        rm -rf "$WINEPREFIX"
        wine wineboot -i >/dev/null 2>&1
        touch "$WINEPREFIX/.tolvan-ready"
    fi
    # The prefix's settings follow tools/wine-registry.py; re-applied when it changes.
    local settings; settings=$(python3 "$HERE/wine-registry.py" | md5sum | cut -c1-32)
    if [ "$(cat "$WINEPREFIX/.tolvan-settings" 2>/dev/null)" != "$settings" ]; then
        python3 "$HERE/wine-registry.py" > "$WINEPREFIX/tolvan.reg"
        wine regedit /S "$(winepath -w "$WINEPREFIX/tolvan.reg" 2>/dev/null)" >/dev/null 2>&1
        echo "$settings" > "$WINEPREFIX/.tolvan-settings"
    fi
    install_symbol_font
    flock -u 9
    exec 9>&-
}

XVFB_PID=
start_private_display() {
    local fifo; fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    local number
    read -r -t 30 number < "$fifo" || { echo "[wine-run] Xvfb did not start" >&2; exit 125; }
    rm -f "$fifo"
    export DISPLAY=:$number
}

if [ -z "${DISPLAY:-}" ]; then
    start_private_display
fi
# The program writes into files that are passed on as they grow, not straight into our own
# output: the first program that needs Wine's desktop process (and the first that needs the
# Wine server) starts it with the program's output, and it lives on while any program of
# the prefix runs. A caller that reads our output to its end (ctest) would take the program
# for running until then.
run_through_files() {
    local out err pid status
    out=$(mktemp) err=$(mktemp)
    wine "$@" <&0 > "$out" 2> "$err" &
    pid=$!
    tail -n +1 -s 0.1 -f --pid=$pid "$out" &
    local follow_out=$!
    tail -n +1 -s 0.1 -f --pid=$pid "$err" >&2 &
    local follow_err=$!
    wait $pid
    status=$?
    wait $follow_out $follow_err
    rm -f "$out" "$err"
    return $status
}

prepare_prefix
run_through_files "$@"
status=$?
if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null
fi
exit $status
