#!/usr/bin/env bash
# Start to first paint: the game's main menu against a bare Qt Widgets window, under Xvfb.
#   bench/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:?usage: startup.sh BUILD_DIR [RUNS]}
runs=${2:-20}
for d in $(seq 140 170); do [ -e /tmp/.X$d-lock ] || break; done
Xvfb :$d -screen 0 1024x768x24 >/dev/null 2>&1 & xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=:$d XDG_RUNTIME_DIR=$(mktemp -d) XDG_DATA_HOME=$(mktemp -d)
sleep 0.5
median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
once() { KARV_LAUNCH_NS=$(date +%s%N) "$@" 2>/dev/null; }
"$build/bench/startup/bench_bare" >/dev/null 2>&1 || true   # warm the caches for both
"$build/bench/startup/bench_startup" >/dev/null 2>&1 || true
# The two programs take turns, so a change in the machine's load touches both alike.
: >"$XDG_RUNTIME_DIR/bare" ; : >"$XDG_RUNTIME_DIR/game"
for _ in $(seq "$runs"); do
    once "$build/bench/startup/bench_bare" >>"$XDG_RUNTIME_DIR/bare"
    once "$build/bench/startup/bench_startup" >>"$XDG_RUNTIME_DIR/game"
done
bare=$(median <"$XDG_RUNTIME_DIR/bare")
game=$(median <"$XDG_RUNTIME_DIR/game")
echo "bare Qt window: ${bare} ms (median of $runs)"
echo "Карвелон main menu: ${game} ms (median of $runs)"
awk -v g="$game" -v b="$bare" 'BEGIN {printf "ratio: %.2f\n", g / b}'
