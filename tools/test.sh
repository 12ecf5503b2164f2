#!/usr/bin/env bash
# Sets up the machine if needed, builds Tolvan for both Windows targets (64-bit with its
# tests, 32-bit without: it cannot run here) and runs every test: the Windows test programs
# under Wine, the simulator's own tests on the host.
#   TOLVAN_BUILD  build root (default <checkout>/build)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${TOLVAN_BUILD:-$ROOT/build}
JOBS=$(nproc)
say() { printf '[test] %s\n' "$*"; }

bash "$ROOT/tools/setup.sh"

configure_and_build() {  # NAME TOOLCHAIN TESTS
    local dir="$BUILD/$1"
    say "configuring $1"
    cmake -S "$ROOT" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$2" \
        -DTOLVAN_BUILD_TESTS="$3" -DCMAKE_BUILD_TYPE=RelWithDebInfo > "$dir.configure.log" 2>&1 ||
        { cat "$dir.configure.log"; exit 1; }
    say "building $1"
    cmake --build "$dir" -j "$JOBS"
}
mkdir -p "$BUILD"
configure_and_build x86_64 mingw-x86_64.cmake ON
configure_and_build i686 mingw-i686.cmake OFF

# One private X display for the whole run; tests that show windows take it one at a time.
XVFB_PID=
cleanup() { [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; true; }
trap cleanup EXIT
fifo=$(mktemp -u); mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
XVFB_PID=$!
read -r -t 30 number < "$fifo"; rm -f "$fifo"
export DISPLAY=:$number
say "testing on display $DISPLAY"
# Prepare the Wine prefix once before tests start in parallel.
"$ROOT/tools/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1 || true
cd "$BUILD/x86_64"
ctest -j "$JOBS" --output-on-failure --timeout 900
