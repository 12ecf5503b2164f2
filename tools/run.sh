#!/usr/bin/env bash
# Sets up the machine if needed, builds the 64-bit Tolvan and runs it under Wine against
# the local simulator of the broker's servers. On a machine with a display the terminal
# opens there and the user logs in; without one it runs on a private Xvfb display, logs in
# by itself through the login window, waits until every connection of the user is logged in
# and the main window shows the quotes, saves screenshots of the login window and of the
# quote board, says where, and ends.
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
port() { python3 -c "import json,sys; print(json.loads(open(sys.argv[1]).read().split(' ', 2)[2])[sys.argv[2]])" "$ready" "$1"; }
# The server lists, "Config.ini" and the update list of an installation, pointing at it.
python3 "$ROOT/tools/login_files.py" "$dir" "$(port login)" "$(port http)"

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
signal="$BUILD/autologin"
rm -f "$signal.ready" "$signal.go" "$signal.board"
TOLVAN_AUTOLOGIN=80001:a123456 TOLVAN_AUTOLOGIN_SIGNAL="Z:${signal//\//\\}" \
    "$ROOT/tools/wine-run.sh" "$dir/bin/Tolvan.exe" &
PIDS+=($!)
for _ in $(seq 1 240); do
    [ -e "$signal.ready" ] && break
    sleep 0.5
done
[ -e "$signal.ready" ] || { say "the login window did not offer its servers within 120 s"; exit 1; }
import -window root "$BUILD/login-window.png"
say "login window: $BUILD/login-window.png"
touch "$signal.go"
# Every connection of the account (quotes, trading, query) logged in at the simulator.
logged_in() {
    python3 - "$(port control)" <<'PY'
import json, socket, sys
s = socket.create_connection(("127.0.0.1", int(sys.argv[1])), timeout=5)
s.sendall(b"sessions\n")
sessions = json.loads(s.makefile().readline()[3:])
roles = {x["role"] for x in sessions if x.get("user") == "80001"}
quotes = [x for x in sessions if x["role"] == "quote" and x.get("user") == "80001"]
sys.exit(0 if {"trade", "query"} <= roles and len(quotes) >= 4 else 1)
PY
}
for _ in $(seq 1 120); do
    logged_in && break
    sleep 0.5
done
logged_in || { say "the connections did not all log in within 60 s"; exit 1; }
# The program writes $signal.board once its main window stands with the quote list's prices
# painted (the lists load behind the splash; their quotes are polled before the window shows).
for _ in $(seq 1 240); do
    [ -e "$signal.board" ] && break
    sleep 0.5
done
[ -e "$signal.board" ] || { say "the main window did not show the quotes within 120 s"; exit 1; }
import -window root "$BUILD/board.png"
say "logged in as 80001; screenshots: $BUILD/login-window.png, $BUILD/board.png"
