#!/usr/bin/env bash
# Plays the real program with real X input under a window manager and valgrind's memcheck,
# through every way out of every window: each item of the game menu, each command of the three
# end windows, the window manager's close on every window, Esc, Alt+Enter, the caption-bar
# buttons, the lifelines, a time-out under each confirmation box, a time-out with the rules
# open, and mail links that no mail program takes. Each scenario is one run of the program from
# its start to its end; it passes when every window the scenario waits for appears, memcheck
# finds no error, and the program has ended by itself, with status 0, once its last window is
# gone.
#   tools/playthrough.sh BUILD_DIR [SCENARIO...]
# PLAYTHROUGH_MEMCHECK=0 plays without valgrind (quicker, for writing scenarios);
# PLAYTHROUGH_SHOTS=DIR keeps a screenshot whenever a scenario fails.
# Needs xvfb, openbox, xdotool, imagemagick and valgrind. The build must be a test build: the scenarios fix
# the program's random draws through KARV20_DRAWS to know the right answers.
set -uo pipefail
build=$(cd "${1:?usage: playthrough.sh BUILD_DIR [SCENARIO...]}" && pwd)
shift
program=$build/karv20
here=$(cd "$(dirname "$0")" && pwd)
banks=$here/../questions/data
memcheck=${PLAYTHROUGH_MEMCHECK:-1}
for tool in Xvfb openbox xdotool import; do
    command -v $tool >/dev/null || { echo "playthrough: needs $tool" >&2; exit 2; }
done
[ "$memcheck" = 0 ] || command -v valgrind >/dev/null || { echo "playthrough: needs valgrind" >&2; exit 2; }

for d in $(seq 171 199); do [ -e /tmp/.X$d-lock ] || break; done
work=$(mktemp -d)
Xvfb :$d -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
export DISPLAY=:$d QT_QPA_PLATFORM=xcb
sleep 0.5
openbox >/dev/null 2>&1 & wm=$!
pid=
trap '[ -n "$pid" ] && kill -9 $pid 2>/dev/null; kill $wm $xvfb 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
sleep 0.5

# The desktop's opener, standing in for one that finds no program for mailto: links.
mkdir -p "$work/bin"
printf '#!/bin/sh\necho "xdg-open: no method available for opening $1" >&2\nexit 3\n' >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"

played=0 failures=0 memerrors=0
# Why a scenario failed; kept in a file, since the helpers often run in a subshell.
because() { echo "$1" >"$work/why"; }

# ---- finding windows ----------------------------------------------------------------------

# find_window TITLE [WxH]: the id of a visible window of the program with that title (and size).
find_window() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ] || continue
        if [ -n "${2:-}" ]; then
            xdotool getwindowgeometry "$w" 2>/dev/null | grep -q "Geometry: $2\$" || continue
        fi
        echo "$w"
        return 0
    done
    return 1
}

# window TITLE [WxH] [SECONDS]: waits for the window and prints its id; fails the scenario when
# it does not come.
window() {
    local end=$((SECONDS + ${3:-30})) w
    while [ $SECONDS -lt $end ]; do
        w=$(find_window "$1" "${2:-}") && { echo "$w"; return 0; }
        kill -0 "$pid" 2>/dev/null || { because "the program ended while waiting for '$1' ${2:-}"; return 1; }
        sleep 0.2
    done
    because "no window '$1' ${2:-} after ${3:-30} s"
    return 1
}

# gone TITLE [WxH] [SECONDS]: waits until no such window is on screen.
gone() {
    local end=$((SECONDS + ${3:-15}))
    while [ $SECONDS -lt $end ]; do
        find_window "$1" "${2:-}" >/dev/null || return 0
        sleep 0.2
    done
    because "window '$1' ${2:-} still on screen"
    return 1
}

# ---- input --------------------------------------------------------------------------------

# click WINDOW X Y: a left click at a point of the window's client area.
click() {
    xdotool windowactivate --sync "$1" >/dev/null 2>&1
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.4
}

# press WINDOW KEY...: keys to the window, made active first.
press() {
    local w=$1; shift
    xdotool windowactivate --sync "$w" >/dev/null 2>&1
    sleep 0.2
    xdotool key --delay 150 "$@"
    sleep 0.4
}

# wm_close WINDOW: the window manager's close (Alt+F4 in openbox), as the title bar's button.
wm_close() { press "$1" alt+F4; }

# pixel WINDOW X Y: the colour of a point of the window, as R,G,B.
pixel() {
    import -window "$1" -crop "1x1+$2+$3" -depth 8 txt:- 2>/dev/null |
        awk 'NR == 2 { gsub(/[()]/, "", $2); split($2, c, ","); print c[1] "," c[2] "," c[3] }'
}

# until_pixel WINDOW X Y COLOUR [SECONDS]: waits until the point shows the colour (R,G,B, or
# "light" for any colour brighter than 200 in each channel).
until_pixel() {
    local end=$((SECONDS + ${5:-30})) got
    while [ $SECONDS -lt $end ]; do
        got=$(pixel "$1" "$2" "$3")
        if [ "$4" = light ]; then
            echo "$got" | awk -F, '$1 > 200 && $2 > 200 && $3 > 200 { ok = 1 } END { exit !ok }' && return 0
        else
            [ "$got" = "$4" ] && return 0
        fi
        kill -0 "$pid" 2>/dev/null || { because "the program ended while waiting for $4 at $2,$3"; return 1; }
        sleep 0.3
    done
    because "no $4 at $2,$3 after ${5:-30} s (last seen: $got)"
    return 1
}

# answer TITLE yes|no: answers a message box by its default button (Да / OK) or by Esc (Нет).
answer() {
    local box
    box=$(window "$1" "" 20) || return 1
    if [ "$2" = yes ]; then press "$box" Return; else press "$box" Escape; fi
    gone "$1" || return 1
}

# ---- the game's windows -------------------------------------------------------------------

T=Карвелон
MENU=420x480 GAME=798x598 END=560x420 MONEY=640x560
answer_x=(0 155 461 155 461) answer_y=(0 384 384 436 436)

# The letter of the right answer at a level when every draw is 0: the bank's first record.
right_letter() { awk -F'\t' 'NR == 2 { print $2 }' "$banks/level-$(printf %02d "$1").tsv"; }
letter_number() { case $1 in A) echo 1 ;; B) echo 2 ;; C) echo 3 ;; D) echo 4 ;; esac; }

main_menu() { window "$T" $MENU 60; }

# new_game: "Новая игра" on the main menu and the name prompt kept; prints the game window.
new_game() {
    local m g p
    m=$(main_menu) || return 1
    click "$m" 210 194
    p=$(window "Начинаем игру!" "" 20) || return 1
    press "$p" Return
    g=$(window "$T" $GAME) || return 1
    echo "$g"
}

# answer_question GAME LEVEL right|wrong: clicks an answer; for a right answer below the top it
# waits until the ladder has moved to the next step (light orange) and the next question is on.
# The end windows are waited for by the caller.
answer_question() {
    local k
    k=$(letter_number "$(right_letter "$2")")
    [ "$3" = wrong ] && k=$((k % 4 + 1))
    click "$1" "${answer_x[$k]}" "${answer_y[$k]}"
    if [ "$3" = right ] && [ "$2" -lt 15 ]; then
        until_pixel "$1" 680 $((112 + (14 - $2) * 24 + 3)) 255,192,128 40 || return 1
        sleep 0.5
    fi
}

# try_money MONEY K: tries answer K on the took-the-money window and waits for its verdict, when
# its three commands appear.
try_money() {
    local x=(0 167 473 167 473) y=(0 275 275 325 325)
    click "$1" "${x[$2]}" "${y[$2]}"
    until_pixel "$1" 80 478 light 30 || return 1
    sleep 0.3
}

# game_menu GAME ITEM: opens "Меню" and chooses an item inside the running menu with the keys.
game_menu() {
    click "$1" 63 571
    case $2 in
    mnu_num) press "$1" Down Down Return ;;
    mnu_sendMessage) press "$1" Down Down Down Return ;;
    mnu_prb) press "$1" Down Return ;;
    mnu_rules) press "$1" Up Up Up Up Return ;;
    mnu_about) press "$1" Up Up Up Return ;;
    mnu_mmenu) press "$1" Up Up Return ;;
    mnu_exit) press "$1" Up Return ;;
    esac
}

# quit_by BOX: answers the exit question BOX "Да" and the farewell; the program must then end
# by itself.
quit_by() {
    answer "$1" yes || return 1
    answer "До свидания!" yes || return 1
}

# ---- the scenarios ------------------------------------------------------------------------

scenario_game_menu() {
    local g m
    g=$(new_game) || return 1
    game_menu "$g" mnu_mmenu; answer "Выход в главное меню" no || return 1
    game_menu "$g" mnu_exit; answer "Выход из игры" no || return 1
    game_menu "$g" mnu_num; answer "Номер вопроса" yes || return 1
    game_menu "$g" mnu_prb
    game_menu "$g" mnu_rules; m=$(window "Правила нашей игры") || return 1; press "$m" Escape; gone "Правила нашей игры" || return 1
    game_menu "$g" mnu_about; m=$(window "О программе...") || return 1; press "$m" Escape; gone "О программе..." || return 1
    game_menu "$g" mnu_mmenu; answer "Выход в главное меню" yes || return 1
    gone "$T" $GAME || return 1
    g=$(new_game) || return 1
    game_menu "$g" mnu_exit; quit_by "Выход из игры" || return 1
}

scenario_game_keys() {
    local g m
    g=$(new_game) || return 1
    press "$g" Escape; answer "Выход из игры" no || return 1
    press "$g" alt+Return; gone "$T" $GAME || return 1
    xdotool windowactivate --sync "$g" >/dev/null 2>&1; g=$(window "$T" $GAME) || return 1
    click "$g" 731 10; gone "$T" $GAME || return 1                     # the caption bar's minimise
    xdotool windowactivate --sync "$g" >/dev/null 2>&1; g=$(window "$T" $GAME) || return 1
    press "$g" F1; m=$(window "Правила нашей игры") || return 1; wm_close "$m"; gone "Правила нашей игры" || return 1
    press "$g" F12; m=$(window "О программе...") || return 1; wm_close "$m"; gone "О программе..." || return 1
    click "$g" 183 571; m=$(window "Правила нашей игры") || return 1; press "$m" BackSpace
    gone "Правила нашей игры" || return 1
    click "$g" 303 571; answer "Выход из игры" no || return 1               # "Выход"
    wm_close "$g"; answer "Выход из игры" no || return 1
    click "$g" 779 10; quit_by "Выход из игры" || return 1                  # the caption bar's close
}

scenario_game_close() {
    local g
    g=$(new_game) || return 1
    wm_close "$g"; quit_by "Выход из игры" || return 1
}

scenario_game_over() {
    local g e m
    g=$(new_game) || return 1
    answer_question "$g" 1 wrong || return 1
    e=$(window "$T" $END) || return 1
    click "$e" 280 328; m=$(window "О программе...") || return 1; press "$m" Return; gone "О программе..." || return 1
    wm_close "$e"; answer "Выход" no || return 1
    e=$(window "$T" $END) || return 1
    click "$e" 450 328; answer "Выход" no || return 1
    click "$e" 110 328; gone "$T" $END || return 1                          # "Главное меню"
    g=$(new_game) || return 1
    answer_question "$g" 1 wrong || return 1
    e=$(window "$T" $END) || return 1
    click "$e" 450 328; quit_by "Выход" || return 1
}

scenario_game_over_close() {
    local g e
    g=$(new_game) || return 1
    answer_question "$g" 1 wrong || return 1
    e=$(window "$T" $END) || return 1
    wm_close "$e"; quit_by "Выход" || return 1
}

scenario_money() {
    local g mw m
    g=$(new_game) || return 1
    answer_question "$g" 1 right || return 1
    click "$g" 533 504; answer "Взять деньги?" no || return 1
    click "$g" 533 504; answer "Взять деньги?" yes || return 1
    mw=$(window "$T" $MONEY) || return 1
    try_money "$mw" 1 || return 1
    click "$mw" 320 487; m=$(window "О программе...") || return 1; wm_close "$m"; gone "О программе..." || return 1
    click "$mw" 500 487; answer "Выход" no || return 1
    wm_close "$mw"; answer "Выход" no || return 1
    click "$mw" 140 487; gone "$T" $MONEY || return 1                       # "Главное меню"
    g=$(new_game) || return 1
    answer_question "$g" 1 right || return 1
    click "$g" 533 504; answer "Взять деньги?" yes || return 1
    mw=$(window "$T" $MONEY) || return 1
    try_money "$mw" 4 || return 1
    wm_close "$mw"; quit_by "Выход" || return 1
}

scenario_money_exit() {
    local g mw
    g=$(new_game) || return 1
    answer_question "$g" 1 right || return 1
    click "$g" 533 504; answer "Взять деньги?" yes || return 1
    mw=$(window "$T" $MONEY) || return 1
    try_money "$mw" 2 || return 1
    click "$mw" 500 487; quit_by "Выход" || return 1
}

scenario_top_prize() {
    local g w m level
    g=$(new_game) || return 1
    for level in $(seq 1 15); do
        answer_question "$g" "$level" right || return 1
    done
    w=$(window "$T" $END) || return 1                                       # the top-prize window
    click "$w" 280 335; m=$(window "О программе...") || return 1; press "$m" Escape; gone "О программе..." || return 1
    click "$w" 450 335; answer "Выход" no || return 1
    wm_close "$w"; answer "Выход" no || return 1
    click "$w" 110 335; gone "$T" $END || return 1
    m=$(main_menu) || return 1
    wm_close "$m"; quit_by "Выход из игры" || return 1
}

# The clock runs out while something is open over the second question: a confirmation box, or
# the rules. The box or window closes by itself and the took-the-money window takes over.
timed_out_under() {
    local g mw box=$2
    answer_question "$1" 1 right || return 1
    case $box in
    "Взять деньги?") click "$1" 533 504 ;;
    "Выход из игры") press "$1" Escape ;;
    "Выход в главное меню") game_menu "$1" mnu_mmenu ;;
    "Правила нашей игры") press "$1" F1 ;;
    esac
    window "$box" "" 10 >/dev/null || return 1
    mw=$(window "$T" $MONEY 45) || return 1
    gone "$box" "" 5 || return 1
    try_money "$mw" 3 || return 1                                          # its commands show after a try
    echo "$mw"
}

scenario_time_outs() {
    local g mw box
    for box in "Взять деньги?" "Выход из игры" "Выход в главное меню"; do
        g=$(new_game) || return 1
        mw=$(timed_out_under "$g" "$box") || return 1
        click "$mw" 140 487; gone "$T" $MONEY || return 1
    done
    g=$(new_game) || return 1
    mw=$(timed_out_under "$g" "Правила нашей игры") || return 1
    click "$mw" 500 487; quit_by "Выход" || return 1
}

scenario_main_menu() {
    local m w
    m=$(main_menu) || return 1
    press "$m" F1; w=$(window "Правила нашей игры") || return 1; wm_close "$w"; gone "Правила нашей игры" || return 1
    click "$m" 210 244; w=$(window "Правила нашей игры") || return 1; press "$w" Escape; gone "Правила нашей игры" || return 1
    click "$m" 210 294; w=$(window "Опции") || return 1; wm_close "$w"; gone "Опции" || return 1
    click "$m" 210 294; w=$(window "Опции") || return 1; press "$w" Escape; gone "Опции" || return 1
    click "$m" 210 344; w=$(window "О программе...") || return 1; wm_close "$w"; gone "О программе..." || return 1
    press "$m" alt+Return; gone "$T" $MENU || return 1
    xdotool windowactivate --sync "$m" >/dev/null 2>&1; m=$(main_menu) || return 1
    wm_close "$m"; answer "Выход из игры" no || return 1
    click "$m" 210 394; answer "Выход из игры" no || return 1
    press "$m" Escape; quit_by "Выход из игры" || return 1
}

scenario_lifelines() {
    local g w
    g=$(new_game) || return 1
    click "$g" 185 504                                                      # "Помощь зала"
    w=$(window "Помощь зала") || return 1
    wm_close "$w"; sleep 3.5                                                # refused while the hall votes
    window "Помощь зала" >/dev/null || return 1
    wm_close "$w"; g=$(window "$T" $GAME) || return 1                       # the result shown: back to the game
    click "$g" 306 504                                                      # "Звонок другу"
    w=$(window "Звонок другу") || return 1
    click "$w" 200 144; sleep 0.5; click "$w" 399 300                       # a friend, "Звоним!"
    sleep 8
    click "$w" 399 276; g=$(window "$T" $GAME) || return 1                  # "OK"
    click "$g" 64 504; sleep 0.5                                            # 50 : 50
    press "$g" space                                                        # lands on no other lifeline
    find_window "Помощь зала" >/dev/null && { because "Space after 50 : 50 opened a lifeline"; return 1; }
    find_window "Звонок другу" >/dev/null && { because "Space after 50 : 50 opened a lifeline"; return 1; }
    press "$g" Escape; quit_by "Выход из игры" || return 1
}

# No mail program takes the links (the desktop's opener here answers that none is registered):
# the error report and the About window's link say so, with the game back on screen. The keypad's
# Enter works like the main one, and the sum typed at once after "Вперед!!!" counts.
scenario_mail_and_keys() {
    local g m o u
    g=$(new_game) || return 1
    game_menu "$g" mnu_sendMessage; answer "Письмо не отправлено" yes || return 1
    g=$(window "$T" $GAME 5) || return 1
    press "$g" alt+KP_Enter; gone "$T" $GAME || return 1
    xdotool windowactivate --sync "$g" >/dev/null 2>&1; g=$(window "$T" $GAME) || return 1
    press "$g" F12; m=$(window "О программе...") || return 1
    click "$m" 230 139; answer "Письмо не отправлено" yes || return 1
    window "О программе..." >/dev/null || return 1
    press "$m" Escape; gone "О программе..." || return 1
    game_menu "$g" mnu_mmenu; answer "Выход в главное меню" yes || return 1
    m=$(main_menu) || return 1
    click "$m" 210 294; o=$(window "Опции") || return 1
    click "$o" 30 24; u=$(window 'Отмена опции "Вопросы на время"') || return 1
    press "$u" KP_Enter 2 0 1                                               # every draw 0: 100 + 101
    answer "Готово!" yes || return 1
    press "$o" Escape; gone "Опции" || return 1
    press "$m" alt+KP_Enter; gone "$T" $MENU || return 1
    xdotool windowactivate --sync "$m" >/dev/null 2>&1; m=$(main_menu) || return 1
    press "$m" Escape; quit_by "Выход из игры" || return 1
}

all=(game_menu game_keys game_close game_over game_over_close money money_exit top_prize time_outs main_menu lifelines
     mail_and_keys)

# ---- running them -------------------------------------------------------------------------

run_scenario() {
    local name=$1 draws=0 data runtime log rc
    [ "$name" = lifelines ] && draws=0.05,0.3,0.55,0.8
    data=$(mktemp -d -p "$work") runtime=$(mktemp -d -p "$work")
    chmod 700 "$runtime"
    log=$work/$name.memcheck
    local launcher=()
    [ "$memcheck" = 0 ] || launcher=(valgrind --tool=memcheck --error-exitcode=97 --leak-check=no --num-callers=30
                                     --child-silent-after-fork=yes --suppressions="$here/memcheck.supp"
                                     --log-file="$log")
    env XDG_DATA_HOME="$data" XDG_RUNTIME_DIR="$runtime" HOME="$work" KARV20_DRAWS="$draws" PATH="$work/bin:$PATH" \
        "${launcher[@]}" "$program" >"$work/$name.out" 2>&1 &
    pid=$!
    : >"$work/why"
    local started=$SECONDS ok=yes
    if ! "scenario_$name"; then
        ok=no
        if [ -n "${PLAYTHROUGH_SHOTS:-}" ] && command -v import >/dev/null; then
            mkdir -p "$PLAYTHROUGH_SHOTS"; import -window root "$PLAYTHROUGH_SHOTS/$name.png"
        fi
    fi
    # The last window is gone: the program must end by itself.
    local end=$((SECONDS + 60))
    while kill -0 $pid 2>/dev/null && [ $SECONDS -lt $end ]; do sleep 0.2; done
    if kill -0 $pid 2>/dev/null; then
        [ $ok = yes ] && because "still running with no window after the last one closed"
        ok=no
        kill -9 $pid 2>/dev/null
    fi
    wait $pid; rc=$?
    pid=
    local errors=0
    [ -f "$log" ] && errors=$(grep -m1 -o 'ERROR SUMMARY: [0-9]*' "$log" | grep -o '[0-9]*$')
    errors=${errors:-0}
    memerrors=$((memerrors + errors))
    [ $ok = yes ] && [ $rc -ne 0 ] && { ok=no; because "the program ended with a failure"; }
    [ "$errors" -ne 0 ] && ok=no
    played=$((played + 1))
    if [ $ok = yes ]; then
        printf 'ok    %-16s %3d s\n' "$name" $((SECONDS - started))
    else
        failures=$((failures + 1))
        printf 'FAIL  %-16s %s (exit status %s, memcheck: %s errors)\n' "$name" "$(cat "$work/why")" "$rc" "$errors"
        [ "$errors" -ne 0 ] && sed -n '/^==[0-9]*== [A-Z]/,/^==[0-9]*== $/p' "$log" | head -60 | sed 's/^/      /'
        sed 's/^/      /' "$work/$name.out" | tail -20
    fi
}

[ $# -gt 0 ] && all=("$@")
for s in "${all[@]}"; do run_scenario "$s"; done
echo "playthrough: $played scenarios played, $failures failed, $memerrors memcheck errors"
[ $failures -eq 0 ] && [ $memerrors -eq 0 ]
