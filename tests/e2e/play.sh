#!/usr/bin/env bash
# Plays Velunto end to end as a player would: the real executable on a virtual
# X display, driven by mouse clicks and key presses, with the text box read by
# copying it to the clipboard. Every wait is bounded; every failure says what
# was expected and what was found.
set -euo pipefail

exe=${1:?usage: play.sh path/to/velunto}

source "$(dirname "$0")/lib.sh"
need Xvfb xdotool xclip
[[ -x $exe ]] || fail "$exe is not an executable"
start_display

# The window's content area, in which the controls stand at their Left/Top.
readonly content_width=730 content_height=518

start_velunto

eval "$(xdotool getwindowgeometry --shell "$wid")"
step "window $wid is ${WIDTH}x${HEIGHT}"
[[ $WIDTH -eq $content_width ]] || fail "the window is $WIDTH wide, expected $content_width"
# The menu bar sits above the content area, so it is what the window has in
# height beyond the content.
menu_bar_height=$((HEIGHT - content_height))
((menu_bar_height >= 10 && menu_bar_height <= 80)) ||
    fail "the window is $HEIGHT high: no menu bar above the $content_height-high content area"
step "menu bar is $menu_bar_height high"

# Keyboard input goes to the window; there is no window manager to give it the focus.
xdotool windowfocus --sync "$wid" || fail "could not give the window the keyboard focus"

# Clicks the centre of a control given by its Left, Top, Width and Height.
click_control() {
    local left=$1 top=$2 width=$3 height=$4
    xdotool mousemove --window "$wid" $((left + width / 2)) $((menu_bar_height + top + height / 2)) click 1
}
press_ok() { click_control 52 368 68 41; }
press_reset() { click_control 212 368 68 41; }
press_letter() {
    case $1 in
        A) click_control 52 421 60 33 ;;
        B) click_control 124 421 60 33 ;;
        C) click_control 196 421 60 33 ;;
        D) click_control 261 421 60 33 ;;
    esac
}

# Reads the text box as a player copies it: click into it, Select All, Copy.
read_text_box() {
    click_control 33 20 645 137
    xdotool key --clearmodifiers ctrl+a ctrl+c
    xclip -o -selection clipboard 2>/dev/null || true
}

# Waits until the text box shows one of the given texts and prints which one.
# The box shows CR as a line break, which a copy gives as LF, so the texts
# are written here with LF.
text=""
wait_for_text() {
    local label=$1
    shift
    for _ in $(seq 40); do
        text=$(read_text_box)
        local candidate
        for candidate in "$@"; do
            [[ $text == "$candidate" ]] && return 0
        done
        kill -0 "$app_pid" 2>/dev/null || fail "velunto ended while waiting for the $label"
        sleep 0.1
    done
    local expected
    expected=$(printf '"%s" or ' "$@")
    fail "$label: expected ${expected% or }, the text box holds \"$text\""
}

nl=$'\n'
questions=(
    ""
    "「アメリカ合衆国の首都は」${nl}A：ワシントンDC、B：ニューヨーク、C:ローマ、D:パリ"
    "「イタリアの首都は」${nl}A：ワシントンDC、B：ニューヨーク、C:ローマ、D:パリ"
    "「東ローマ帝国の首都は」${nl}A：ワシントンDC、B：ニューヨーク、C:マドリード、D:コンスタンチノープル"
    "「フランスの有名な海岸は」${nl}A：コートジボワール、B：コートダジュール、C:ローマ、D:パリ"
    "「モンゴルの気候は」${nl}A：ステップ、B：ツンドラ、C:ローマ、D:熱帯"
    "「マレーシアにおけるマレー人優遇政策は？」${nl}A：白豪主義、B:アベノミクス、C:ブミプトラ政策、D:一人っ子政策"
    "「フランスで発電量が最も多いのは」${nl}A：原子力、B:石油、C:天然ガス、D:バイオマス"
    "「中国の首都は」${nl}A：大連、B：南京、C:北京、D:西安"
    "「チベット高原の気候は」${nl}A：モンスーン、B：ツンドラ、C:温帯、D:ステップ"
    "「インカ帝国を征服したのは」${nl}A：カエサル、B：ピサロ、C:テムジン、D:コロンブス"
)
answers=("" A C D B A C A C B B)
# Questions 1 and 6 are drawn from two alternatives; these are the first ones
# (the table above holds the second).
first_alternative=(
    [1]="「地球の裏側を何という？」${nl}A：外積、B：円心、C:重心、D:対せき点"
    [6]="「BRICSでないのは？」${nl}A：ロシア、B:日本、C:ブラジル、D:中国"
)
first_alternative_answer=([1]=D [6]=B)

step "reading the welcome"
wait_for_text "welcome" "Veluntoへようこそ！${nl}OKボタンを押してください"

press_ok
wait_for_text "introduction" "このソフトはテキストベースのクイズゲームです。"
press_ok
wait_for_text "start message" "それではゲームスタート！"

# Odd questions are answered right and even ones wrong, so the pass scores 50%.
right=0
for n in $(seq 10); do
    press_ok
    if [[ -n ${first_alternative[$n]:-} ]]; then
        wait_for_text "question $n" "${first_alternative[$n]}" "${questions[$n]}"
        key=${answers[$n]}
        [[ $text == "${first_alternative[$n]}" ]] && key=${first_alternative_answer[$n]}
    else
        wait_for_text "question $n" "${questions[$n]}"
        key=${answers[$n]}
    fi
    if ((n % 2 == 1)); then
        choice=$key
        expected="正解！ですね"
        right=$((right + 1))
    else
        # Any other letter is wrong; two letters pressed, the last one counts.
        choice=A
        [[ $key == A ]] && choice=B
        press_letter "$key"
        expected="ハズレ。正解は${key}ですね"
    fi
    press_letter "$choice"
    step "question $n: answering $choice (right is $key)"
    press_ok
    wait_for_text "verdict on question $n" "$expected"
done

press_ok
wait_for_text "result" "10問終了。正答率は$((right * 10))%ですね"
press_ok
wait_for_text "return message" "最初に戻ります"
press_ok
wait_for_text "introduction of the next pass" "このソフトはテキストベースのクイズゲームです。"
press_reset
wait_for_text "reset message" "最初からやり直します！"

xdotool key --clearmodifiers ctrl+q
expect_end "Ctrl+Q" 0
echo "e2e: PASS: a whole pass played, the text box read back, Ctrl+Q ended velunto with status 0"
