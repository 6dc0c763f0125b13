#!/usr/bin/env bash
# CPU while a timed question waits (10 s, clock of the day shown) and peak memory, for the
# game against a bare Qt Widgets window, under Xvfb.   bench/resources.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: resources.sh BUILD_DIR}
command -v xdotool >/dev/null && command -v Xvfb >/dev/null || { echo "resources.sh: needs xvfb and xdotool" >&2; exit 2; }
for d in $(seq 171 199); do [ -e /tmp/.X$d-lock ] || break; done
Xvfb :$d -screen 0 1024x768x24 >/dev/null 2>&1 & xvfb=$!
export DISPLAY=:$d XDG_RUNTIME_DIR=$(mktemp -d) XDG_DATA_HOME=$(mktemp -d)
pids=()
trap 'kill ${pids[@]:-} $xvfb 2>/dev/null' EXIT
sleep 0.5
ticks() { awk '{print $14 + $15}' /proc/$1/stat; }
hwm() { awk '/VmHWM/ {print $2}' /proc/$1/status; }
hz=$(getconf CLK_TCK)

"$build/karv20" 2>/dev/null & game=$!; pids+=($game)
until xdotool search --onlyvisible --pid $game >/dev/null 2>&1; do sleep 0.1; done
sleep 1
xdotool mousemove 512 330 click 1      # "Новая игра" in the middle of the main menu
sleep 1
xdotool key Return                     # the name prompt
sleep 2
t0=$(ticks $game); sleep 10; t1=$(ticks $game)
cpu=$(awk -v t=$((t1 - t0)) -v hz="$hz" 'BEGIN {printf "%.2f", 100 * t / hz / 10}')
game_kb=$(hwm $game)

"$build/bench/startup/bench_bare" --stay 2>/dev/null & bare=$!; pids+=($bare)
until xdotool search --onlyvisible --pid $bare >/dev/null 2>&1; do sleep 0.1; done
sleep 2
bare_kb=$(hwm $bare)

echo "CPU while a timed question waits: ${cpu} % of one core over 10 s"
echo "peak memory: game ${game_kb} KiB, bare Qt window ${bare_kb} KiB"
awk -v g="$game_kb" -v b="$bare_kb" 'BEGIN {printf "memory ratio: %.2f\n", g / b}'
