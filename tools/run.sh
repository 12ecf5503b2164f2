#!/usr/bin/env bash
# Sets up the machine if needed, builds the 64-bit Tolvan and runs it under Wine against
# the local simulator of the broker's servers. On a machine with a display the terminal
# opens there; without one it runs on a private Xvfb display, saves a screenshot once the
# main window is up, says where, and ends.
#   TOLVAN_BUILD  build root (default <checkout>/build)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${TOLVAN_BUILD:-$ROOT/build}
say() { printf '[run] %s\n' "$*"; }

TOLVAN_TARGETS=x86_64-w64-mingw32 bash "$ROOT/tools/setup.sh"
dir="$BUILD/x86_64"
mkdir -p "$dir"
cmake -S "$ROOT" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" \
    -DTOLVAN_BUILD_TESTS=OFF > "$dir.configure-run.log" 2>&1 || { cat "$dir.configure-run.log"; exit 1; }
cmake --build "$dir" -j "$(nproc)" --target Tolvan

PIDS=()
cleanup() { for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT

say "starting the simulator of the broker's servers (log: $BUILD/sim.log)"
ready="$BUILD/sim.ready"
rm -f "$ready"
python3 "$ROOT/tools/sim/tolvan_sim.py" --ready-file "$ready" > "$BUILD/sim.log" 2>&1 &
PIDS+=($!)
for _ in $(seq 1 60); do
    [ -s "$ready" ] && break
    sleep 0.5
done
[ -s "$ready" ] || { say "the simulator did not start:"; cat "$BUILD/sim.log"; exit 1; }
say "simulator ready: $(cat "$ready")"

if [ -n "${DISPLAY:-}" ]; then
    say "starting Tolvan on display $DISPLAY"
    "$ROOT/tools/wine-run.sh" "$dir/bin/Tolvan.exe"
    exit $?
fi

fifo=$(mktemp -u); mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
PIDS+=($!)
read -r -t 30 number < "$fifo"; rm -f "$fifo"
export DISPLAY=:$number
say "no display: running Tolvan on a private Xvfb display $DISPLAY"
"$ROOT/tools/wine-run.sh" "$dir/bin/Tolvan.exe" &
PIDS+=($!)
shot="$BUILD/tolvan-screenshot.png"
for _ in $(seq 1 120); do
    if xwininfo -root -tree 2>/dev/null | grep -q '"Tolvan'; then
        sleep 3   # let the window paint before the picture is taken
        import -window root "$shot"
        say "Tolvan is up; screenshot saved to $shot"
        exit 0
    fi
    sleep 1
done
say "Tolvan's window did not appear within 120 s"
exit 1
