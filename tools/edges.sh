#!/usr/bin/env bash
# Plays the real program under Xvfb in the conditions a player's machine may throw at it and
# checks that the game plays on each time:
#   a read-only data folder, a data folder that is a file, no "over.wav", no audio device,
#   no system clipboard (the offscreen platform has none), a full disk under the data folder
#   (a small full tmpfs where this machine lets us mount one, and always a file-size limit),
#   a lock left by a killed copy or damaged, and a real second copy on the same data folder.
#   tools/edges.sh BUILD_DIR
# Needs xvfb and xdotool. Each case starts a new game, takes the name prompt, answers the first
# question, waits for the verdict and leaves through Esc; the case passes when the program is
# still alive with a window on screen after the verdict, and the message about a failed save
# came exactly where the case expects one. EDGES_SHOTS=DIR keeps a screenshot of each.
set -uo pipefail
build=$(cd "${1:?usage: edges.sh BUILD_DIR}" && pwd)
command -v xdotool >/dev/null && command -v Xvfb >/dev/null || { echo "edges.sh: needs xvfb and xdotool" >&2; exit 2; }
for d in $(seq 141 169); do [ -e /tmp/.X$d-lock ] || break; done
Xvfb :$d -screen 0 1024x768x24 >/dev/null 2>&1 & xvfb=$!
work=$(mktemp -d)
chmod 755 "$work"
mounted=
trap 'kill $xvfb 2>/dev/null; [ -n "$mounted" ] && umount "$mounted"; chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=:$d
sleep 0.5
failed=0

# window_titled PID TITLE: the id of a visible window of the program with that title.
window_titled() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
        [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$2" ] && { echo "$w"; return 0; }
    done
    return 1
}

# run NAME DATA_HOME PROGRAM [env...]: one whole game start under the given conditions. With
# expect_saving_fails=yes the case passes only when the game said once that it could not save.
expect_saving_fails=no
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
    local told=no
    if window_titled $pid "Не удалось сохранить" >/dev/null; then
        told=yes
        xdotool key Return              # the message about the failed save
        sleep 1
    fi
    xdotool mousemove 270 468 click 1   # answer A
    sleep 7                             # the verdict chain
    local alive=no
    kill -0 $pid 2>/dev/null && xdotool search --onlyvisible --pid $pid >/dev/null 2>&1 && alive=yes
    if [ -n "${EDGES_SHOTS:-}" ] && command -v import >/dev/null; then
        mkdir -p "$EDGES_SHOTS"; import -window root "$EDGES_SHOTS/${name// /-}.png"
    fi
    kill $pid 2>/dev/null
    wait $pid 2>/dev/null
    if [ $alive = yes ] && [ $told = "$expect_saving_fails" ]; then
        echo "ok    $name"
    else
        echo "FAIL  $name (alive: $alive, told of a failed save: $told)"; sed 's/^/      /' "$work/out.txt"; failed=1
    fi
}

# 1. A read-only data folder holding the player's old files: they must stay as they were.
ro=$work/ro; mkdir -p "$ro/karv20"
printf '1 1 1 1 1 1 1\r\n' >"$ro/karv20/karv20s.inf"
printf 'Old\r\n' >"$ro/karv20/karv20n.inf"
before=$(cat "$ro"/karv20/* | md5sum)
chmod 555 "$ro/karv20" "$ro"
expect_saving_fails=yes
run "read-only data folder" "$ro" "$build/karv20"
[ "$(cat "$ro"/karv20/* | md5sum)" = "$before" ] || { echo "FAIL  read-only data folder: files changed"; failed=1; }

# 2. The data folder's place is taken by a file.
file=$work/file; mkdir -p "$file"; echo "not a folder" >"$file/karv20"
run "data folder is a file" "$file" "$build/karv20"
[ "$(cat "$file/karv20")" = "not a folder" ] || { echo "FAIL  data folder is a file: the file changed"; failed=1; }
expect_saving_fails=no

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

# 6. A full disk under the data folder: the name cannot be saved; the old files stay byte for
# byte and the game says so once. A small tmpfs filled to the last block where this machine
# lets us mount one; the same through a file-size limit (its signal ignored) everywhere.
player_files() { mkdir -p "$1/karv20"; printf '01111\r\n' >"$1/karv20/karv20s.inf"; printf 'Old\r\n' >"$1/karv20/karv20n.inf"
                 printf ' 2\r\n' >"$1/karv20/karv20win.inf"; }
expect_saving_fails=yes
full=$work/full; mkdir -p "$full"
if mount -t tmpfs -o size=128k tmpfs "$full" 2>/dev/null; then
    mounted=$full
    player_files "$full"
    dd if=/dev/zero of="$full/filler" bs=4k 2>/dev/null
    before=$(cat "$full"/karv20/* | md5sum)
    run "full disk (tmpfs)" "$full" "$build/karv20"
    [ "$(cat "$full"/karv20/* | md5sum)" = "$before" ] || { echo "FAIL  full disk (tmpfs): files changed"; failed=1; }
    [ -z "$(ls "$full/karv20" | grep -v -x -e karv20s.inf -e karv20n.inf -e karv20win.inf -e karv20.lock)" ] ||
        { echo "FAIL  full disk (tmpfs): files left behind: $(ls "$full/karv20")"; failed=1; }
else
    echo "skip  full disk (tmpfs): cannot mount a tmpfs here"
fi
limited=$work/limited; player_files "$limited"
printf '#!/usr/bin/env bash\ntrap "" XFSZ\nulimit -f 0\nexec "%s" "$@"\n' "$build/karv20" >"$work/karv20-no-space"
chmod +x "$work/karv20-no-space"
before=$(cat "$limited"/karv20/* | md5sum)
run "full disk (file-size limit)" "$limited" "$work/karv20-no-space"
[ "$(cat "$limited"/karv20/* | md5sum)" = "$before" ] || { echo "FAIL  full disk (file-size limit): files changed"; failed=1; }
expect_saving_fails=no

# 7. Locks that no copy holds: a damaged lock file in the data folder and in the runtime folder
# (where earlier versions kept it), and the leftovers of copies killed at random moments of
# their start, all on one data folder and one runtime folder.
dead=$work/dead; mkdir -p "$dead/karv20"
deadrt=$(mktemp -d -p "$work"); chmod 700 "$deadrt"
: >"$dead/karv20/karv20.lock"; : >"$deadrt/karv20.lock"
run "empty lock file" "$dead" "$build/karv20" XDG_RUNTIME_DIR="$deadrt"
printf '\377garbage\n' | tee "$dead/karv20/karv20.lock" >"$deadrt/karv20.lock"
run "garbage lock file" "$dead" "$build/karv20" XDG_RUNTIME_DIR="$deadrt"
rm -f "$dead/karv20/karv20.lock" "$deadrt/karv20.lock"
for i in $(seq 1 30); do
    XDG_DATA_HOME="$dead" XDG_RUNTIME_DIR="$deadrt" "$build/karv20" >/dev/null 2>&1 &
    sleep "0.0$((RANDOM % 80 + 10))"
    kill -9 $! 2>/dev/null; wait $! 2>/dev/null
done
sleep 1
run "30 copies killed while starting" "$dead" "$build/karv20" XDG_RUNTIME_DIR="$deadrt"

# 8. A real second copy on the same data folder, with another runtime folder: refused with its
# message, and the first copy plays on.
both=$work/both; mkdir -p "$both"
rt1=$(mktemp -d -p "$work"); rt2=$(mktemp -d -p "$work"); chmod 700 "$rt1" "$rt2"
XDG_DATA_HOME="$both" XDG_RUNTIME_DIR="$rt1" "$build/karv20" >/dev/null 2>&1 & first=$!
end=$((SECONDS + 15))
until xdotool search --onlyvisible --pid $first >/dev/null 2>&1 || [ $SECONDS -ge $end ]; do sleep 0.1; done
XDG_DATA_HOME="$both" XDG_RUNTIME_DIR="$rt2" "$build/karv20" >"$work/out.txt" 2>&1 & second=$!
end=$((SECONDS + 15))
until window_titled $second "Повторный запуск" >/dev/null || [ $SECONDS -ge $end ]; do sleep 0.1; done
refused=no; window_titled $second "Повторный запуск" >/dev/null && refused=yes
xdotool key Return; sleep 1
ended=no; kill -0 $second 2>/dev/null || ended=yes
alive=no; kill -0 $first 2>/dev/null && window_titled $first "Карвелон" >/dev/null && alive=yes
kill $first $second 2>/dev/null; wait $first $second 2>/dev/null
if [ $refused = yes ] && [ $ended = yes ] && [ $alive = yes ]; then echo "ok    second copy on the same data folder"
else echo "FAIL  second copy (refused: $refused, ended: $ended, first alive: $alive)"; failed=1; fi

exit $failed
