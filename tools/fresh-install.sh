#!/usr/bin/env bash
# Installs the game's Debian package, with the progress-bar library's package libfillgauge2 that
# lies beside it, on a fresh Debian 12 system (a debootstrap folder) and plays it there under Xvfb:
# the packages' dependencies must be enough for the game to start, reach a question and find its
# sound in /usr/share/karv20.
#   tools/fresh-install.sh PACKAGE.deb [FOLDER] [SCREENSHOT.png]     (as root; needs debootstrap)
set -euo pipefail
deb=$(realpath "${1:?usage: fresh-install.sh PACKAGE.deb [FOLDER] [SCREENSHOT.png]}")
root=${2:-/var/tmp/karv20-fresh}
shot=${3:-}
[ "$(id -u)" -eq 0 ] || { echo "fresh-install.sh: run as root" >&2; exit 2; }
[ -x "$root/bin/bash" ] || debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian
cp /etc/resolv.conf "$root/etc/"
mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
mountpoint -q "$root/dev" || mount --bind /dev "$root/dev"
trap 'umount "$root/proc" "$root/dev" 2>/dev/null || true' EXIT
lib=$(ls "$(dirname "$deb")"/libfillgauge2_*.deb 2>/dev/null | head -n 1)
[ -n "$lib" ] || { echo "fresh-install.sh: no libfillgauge2_*.deb beside $deb" >&2; exit 2; }
cp "$deb" "$root/tmp/game.deb"
cp "$lib" "$root/tmp/libfillgauge2.deb"
chroot "$root" bash -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /tmp/libfillgauge2.deb /tmp/game.deb xvfb xdotool x11-apps strace >/dev/null'
cat >"$root/tmp/play.sh" <<'PLAY'
#!/bin/bash
Xvfb :150 -screen 0 1024x768x24 >/dev/null 2>&1 & xvfb=$!
export DISPLAY=:150 XDG_RUNTIME_DIR=/tmp/rt HOME=/root
mkdir -p /tmp/rt; chmod 700 /tmp/rt; rm -rf /root/.local/share/karv20
sleep 1
strace -e trace=access,stat,statx,newfstatat -o /tmp/files.txt karv20 >/tmp/karv.log 2>&1 & p=$!
for i in $(seq 50); do xdotool search --onlyvisible --name . >/dev/null 2>&1 && break; sleep 0.2; done
sleep 1.5
g=$(pgrep -n -x karv20)
xdotool mousemove 512 388; sleep 0.5  # over a main-menu button: its hover sound loads the sound module
grep -q /usr/lib/karv20/libkarv20_sound.so /proc/$g/maps && sound_module=yes
xdotool mousemove 512 330 click 1; sleep 1; xdotool key Return; sleep 2
xwd -root -silent >/tmp/game.xwd
ok=1
kill -0 $g 2>/dev/null || { echo "the game is not running"; cat /tmp/karv.log; ok=0; }
[ -s /root/.local/share/karv20/karv20n.inf ] || { echo "no name file written"; ok=0; }
grep -q '/usr/share/karv20/over.wav", F_OK) = 0' /tmp/files.txt || { echo "the sound was not found"; ok=0; }
[ "${sound_module:-}" = yes ] || { echo "the sound module was not loaded"; ok=0; }
kill $g $p $xvfb 2>/dev/null
[ $ok = 1 ] && echo "installed game plays: a question is on screen, the sound and its player are found"
[ $ok = 1 ]
PLAY
chmod +x "$root/tmp/play.sh"
chroot "$root" /tmp/play.sh
if [ -n "$shot" ]; then
    if command -v convert >/dev/null; then convert "$root/tmp/game.xwd" "$shot"; else cp "$root/tmp/game.xwd" "$shot"; fi
fi
