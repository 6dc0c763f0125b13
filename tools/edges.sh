#!/usr/bin/env bash
# Plays the real program under Xvfb in the conditions a player's machine may throw at it and
# checks that the game plays on each time:
#   a read-only data folder, a data folder that is a file, no "over.wav", no audio device,
#   and no system clipboard (the offscreen platform has none).
#   tools/edges.sh BUILD_DIR
# Needs xvfb and xdotool. Each case starts a new game, takes the name prompt, answers the first
# question, waits for the verdict and leaves through Esc; the case passes when the program is
# still alive with a window on screen after the verdict. EDGES_SHOTS=DIR keeps a screenshot of each.
set -uo pipefail
build=$(cd "${1:?usage: edges.sh BUILD_DIR}" && pwd)
command -v xdotool >/dev/null && command -v Xvfb >/dev/null || { echo "edges.sh: needs xvfb and xdotool" >&2; exit 2; }
for d in $(seq 141 169); do [ -e /tmp/.X$d-lock ] || break; done
Xvfb :$d -screen 0 1024x768x24 >/dev/null 2>&1 & xvfb=$!
work=$(mktemp -d)
chmod 755 "$work"
trap 'kill $xvfb 2>/dev/null; chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=:$d
sleep 0.5
failed=0

# run NAME DATA_HOME PROGRAM [env...]: one whole game start under the given conditions.
run() {
    local name=$1 data=$2 program=$3; shift 3
    local as=()
    # The superuser writes through read-only folders: play such a case as an ordinary user.
    if [ "$name" = "read-only data folder" ] && [ "$(id -u)" -eq 0 ]; then
        as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    fi
    local runtime
    runtime=$(mktemp -d -p "$work")
    [ ${#as[@]} -gt 0 ] && chown 65534:65534 "$runtime"
    chmod 700 "$runtime"
    env XDG_DATA_HOME="$data" XDG_RUNTIME_DIR="$runtime" HOME="$work" "$@" "${as[@]}" "$program" \
        >"$work/out.txt" 2>&1 &
    local pid=$!
    local end=$((SECONDS + 15))
    until xdotool search --onlyvisible --pid $pid >/dev/null 2>&1 || [ $SECONDS -ge $end ]; do sleep 0.1; done
    sleep 1
    xdotool mousemove 512 330 click 1   # "Новая игра"
    sleep 1
    xdotool key Return                  # keep the proposed name
    sleep 1.5
    xdotool mousemove 270 468 click 1   # answer A
    sleep 7                             # the verdict chain
    local alive=no
    kill -0 $pid 2>/dev/null && xdotool search --onlyvisible --pid $pid >/dev/null 2>&1 && alive=yes
    if [ -n "${EDGES_SHOTS:-}" ] && command -v import >/dev/null; then
        mkdir -p "$EDGES_SHOTS"; import -window root "$EDGES_SHOTS/${name// /-}.png"
    fi
    kill $pid 2>/dev/null
    wait $pid 2>/dev/null
    if [ $alive = yes ]; then
        echo "ok    $name"
    else
        echo "FAIL  $name"; sed 's/^/      /' "$work/out.txt"; failed=1
    fi
}

# 1. A read-only data folder holding the player's old files: they must stay as they were.
ro=$work/ro; mkdir -p "$ro/karv20"
printf '1 1 1 1 1 1 1\r\n' >"$ro/karv20/karv20s.inf"
printf 'Old\r\n' >"$ro/karv20/karv20n.inf"
before=$(cat "$ro"/karv20/* | md5sum)
chmod 555 "$ro/karv20" "$ro"
run "read-only data folder" "$ro" "$build/karv20"
[ "$(cat "$ro"/karv20/* | md5sum)" = "$before" ] || { echo "FAIL  read-only data folder: files changed"; failed=1; }

# 2. The data folder's place is taken by a file.
file=$work/file; mkdir -p "$file"; echo "not a folder" >"$file/karv20"
run "data folder is a file" "$file" "$build/karv20"
[ "$(cat "$file/karv20")" = "not a folder" ] || { echo "FAIL  data folder is a file: the file changed"; failed=1; }

# 3. No hover sound beside the program (a copy of the program alone).
bare=$work/bare; mkdir -p "$bare"; cp "$build/karv20" "$bare/"
run "no over.wav" "$(mktemp -d -p "$work")" "$bare/karv20"

# 4. No audio device: no sound server to reach.
run "no audio device" "$(mktemp -d -p "$work")" "$build/karv20" PULSE_SERVER=unix:/nonexistent

# 5. No system clipboard: the offscreen platform has none. Nothing can be clicked there, so
# this case only checks that the game starts and keeps running.
data=$(mktemp -d -p "$work")
QT_QPA_PLATFORM=offscreen XDG_DATA_HOME="$data" XDG_RUNTIME_DIR="$work" "$build/karv20" >"$work/out.txt" 2>&1 &
pid=$!
sleep 3
if kill -0 $pid 2>/dev/null; then echo "ok    no system clipboard (offscreen, started and running)"; kill $pid; wait $pid 2>/dev/null
else echo "FAIL  no system clipboard"; sed 's/^/      /' "$work/out.txt"; failed=1; fi

exit $failed
