# Sourced by the end-to-end scripts: a work directory, failing with what
# velunto said, a virtual X display, taking every process they start down
# with them however they end, and playing through the window's controls.

workdir=$(mktemp -d)
started=()
cleanup() {
    local pid
    for pid in "${started[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$workdir"
}
trap cleanup EXIT
# A signal ends the script through its EXIT trap.
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# Starts a command in the background ($! is its pid). No trap runs when the
# script is killed with SIGKILL, so the kernel sends the command SIGTERM then.
# Options before the command go to setpriv, which sets that signal after any
# change of user they ask for (a change of user clears it).
start() {
    setpriv --pdeathsig TERM "$@" &
    started+=("$!")
}

fail() {
    echo "e2e: FAIL: $*" >&2
    if [[ -s $workdir/stderr ]]; then
        echo "e2e: velunto's stderr:" >&2
        sed 's/^/    /' "$workdir/stderr" >&2
    fi
    exit 1
}
step() { echo "e2e: $*"; }

need() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/setup.sh installs it)"
    done
}

# A fresh Xvfb, which picks a free display itself and writes its number once
# it is ready; sets xvfb_pid and exports DISPLAY.
start_display() {
    rm -f "$workdir/display"
    start Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$workdir/display" 2>"$workdir/xvfb.log"
    xvfb_pid=$!
    for _ in $(seq 100); do
        [[ -s $workdir/display ]] && break
        sleep 0.1
    done
    [[ -s $workdir/display ]] || fail "Xvfb did not start within 10 s: $(cat "$workdir/xvfb.log")"
    export DISPLAY=":$(head -n 1 "$workdir/display")"
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY
}

# Starts velunto on the display and waits for its window; sets app_pid and wid.
start_velunto() {
    step "starting $exe on $DISPLAY"
    start "$exe" >"$workdir/stdout" 2>"$workdir/stderr"
    app_pid=$!
    wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Velunto$' 2>/dev/null | head -n 1) || true
    [[ -n $wid ]] || fail "no window titled \"Velunto\" appeared within 20 s"
    kill -0 "$app_pid" 2>/dev/null || fail "velunto ended right after showing its window"
}

# Waits at most 10 s for velunto to end after the given action and fails
# unless it exited, without a signal, with the expected status: 0 with no
# report on stderr, or 1 with a word on stderr and exactly one "Unhandled
# exception" line, or as many as a third argument gives ("any": not counted).
expect_end() {
    local action=$1 expected=$2 status=0 reports
    local expected_reports=${3:-$((expected != 0))}
    for _ in $(seq 100); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app_pid" 2>/dev/null && fail "velunto still runs 10 s after $action"
    wait "$app_pid" || status=$?
    ((status <= 128)) || fail "velunto was killed by signal $((status - 128)) after $action"
    ((status == expected)) || fail "velunto ended with status $status after $action, expected $expected"
    ((status == 0)) || [[ -s $workdir/stderr ]] || fail "velunto ended with status $status after $action but said nothing"
    reports=$(grep -c "^Unhandled exception: " "$workdir/stderr" || true)
    [[ $expected_reports == any ]] || ((reports == expected_reports)) ||
        fail "velunto reported $reports unhandled exceptions after $action"
    step "PASS: $action ended velunto with status $status"
}

# Playing through the window. The sourcing script defines
#   click_in_window X Y  a left click X, Y pixels from the window's top-left corner
#   copy_all             Select All and Copy in the focused widget, then print the clipboard
# and calls check_window_size once the window is up.

# The window's content area, in which the controls stand at their Left/Top.
readonly content_width=730 content_height=518

# The menu bar sits above the content area, so it is what the window has in
# height beyond the content.
menu_bar_height=0
check_window_size() {
    local width=$1 height=$2
    step "the window is ${width}x${height}"
    ((width == content_width)) || fail "the window is $width wide, expected $content_width"
    menu_bar_height=$((height - content_height))
    ((menu_bar_height >= 10 && menu_bar_height <= 80)) ||
        fail "the window is $height high: no menu bar above the $content_height-high content area"
    step "menu bar is $menu_bar_height high"
}

# Clicks the centre of a control given by its Left, Top, Width and Height.
click_control() {
    local left=$1 top=$2 width=$3 height=$4
    click_in_window $((left + width / 2)) $((menu_bar_height + top + height / 2))
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
    copy_all
}

# Waits until the text box shows one of the given texts and leaves it in $text.
# The box shows CR as a line break, which a copy gives as LF, so the texts
# are written with LF.
text=""
wait_for_text() {
    local label=$1 candidate
    shift
    for _ in $(seq 40); do
        text=$(read_text_box)
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
readonly introduction="このソフトはテキストベースのクイズゲームです。"
readonly reset_message="最初からやり直します！"

# From the welcome, OK twice to the start of the game.
play_opening() {
    step "reading the welcome"
    wait_for_text "welcome" "Veluntoへようこそ！${nl}OKボタンを押してください"
    press_ok
    wait_for_text "introduction" "$introduction"
    press_ok
    wait_for_text "start message" "それではゲームスタート！"
}
