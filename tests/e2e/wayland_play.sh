#!/usr/bin/env bash
# Plays the first steps of Velunto on Wayland: the real executable under a
# headless sway that has no XWayland, started as a Wayland desktop starts it
# (WAYLAND_DISPLAY set; DISPLAY and QT_QPA_PLATFORM not), so it must pick Qt's
# Wayland plugin by itself. Clicks go through sway's seat, keys through wtype,
# and the text box is read with wl-paste. A second run then loses its
# compositor, which must end velunto with status 1 and a word, not a signal.
set -euo pipefail

exe=${1:?usage: wayland_play.sh path/to/velunto}
source "$(dirname "$0")/lib.sh"
need sway swaymsg wayvnc wtype wl-paste jq
[[ -x $exe ]] || fail "$exe is not an executable"

unset DISPLAY QT_QPA_PLATFORM WAYLAND_DISPLAY WAYLAND_SOCKET XDG_SESSION_TYPE SWAYSOCK
mkdir -m 0700 "$workdir/runtime"
export XDG_RUNTIME_DIR=$workdir/runtime

# Starts a headless sway and gives its seat a pointer and a keyboard; sets
# sway_pid and vnc_pid and exports WAYLAND_DISPLAY and SWAYSOCK.
start_compositor() {
    local dir=$workdir/compositor as_user=()
    mkdir -m 0700 "$dir"
    cat >"$dir/config" <<'EOF'
xwayland disable
# sway starts no process of its own: no bar, no background, no swaynag.
swaynag_command -
output HEADLESS-1 resolution 1280x1024 position 0 0
default_border none
default_floating_border none
# Floating, a window keeps the size it asks for.
for_window [shell=".*"] floating enable
EOF
    # sway refuses to run as root, so under root it runs as nobody, in a
    # runtime directory of nobody's; the clients stay root and reach its
    # sockets by path.
    if (($(id -u) == 0)); then
        chmod a+x "$workdir"
        chown -R nobody: "$dir"
        as_user=(--reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups)
    fi
    step "starting sway, headless"
    start "${as_user[@]}" env -i PATH="$PATH" XDG_RUNTIME_DIR="$dir" WLR_BACKENDS=headless WLR_RENDERER=pixman \
        sway --config "$dir/config" >"$workdir/sway.log" 2>&1
    sway_pid=$!
    local sockets
    for _ in $(seq 100); do
        sockets=("$dir"/sway-ipc.*.sock)
        if [[ -S ${sockets[0]} ]] && SWAYSOCK=${sockets[0]} swaymsg -t get_outputs >/dev/null 2>&1; then
            export SWAYSOCK=${sockets[0]}
            break
        fi
        kill -0 "$sway_pid" 2>/dev/null || break
        sleep 0.1
    done
    [[ -n ${SWAYSOCK:-} ]] || fail "sway did not start within 10 s: $(cat "$workdir/sway.log")"
    local displays=("$dir"/wayland-[0-9])
    [[ -S ${displays[0]} ]] || fail "sway has no Wayland socket in $dir"
    export WAYLAND_DISPLAY=${displays[0]}

    # The headless backend has no input devices, and a client gets a pointer
    # and a keyboard only while the seat has such a device. wayvnc (which
    # nobody connects to) gives the seat a virtual pointer and keyboard for the
    # whole run, so the clicks through the seat's cursor and the keys of each
    # short-lived wtype reach velunto.
    start wayvnc --unix-socket "$workdir/vnc" >"$workdir/wayvnc.log" 2>&1
    vnc_pid=$!
    local capabilities=0
    for _ in $(seq 100); do
        capabilities=$(swaymsg -t get_seats | jq '.[0].capabilities') || fail "sway does not answer"
        (((capabilities & 3) == 3)) && break
        kill -0 "$vnc_pid" 2>/dev/null || break
        sleep 0.1
    done
    (((capabilities & 3) == 3)) || fail "the seat got no pointer and keyboard from wayvnc: $(cat "$workdir/wayvnc.log")"
}

# Starts velunto and waits for its window, which must be a native Wayland one;
# sets app_pid and leaves the window's place in window_x and window_y.
start_velunto_on_wayland() {
    step "starting $exe with WAYLAND_DISPLAY=$WAYLAND_DISPLAY and no DISPLAY"
    start "$exe" >"$workdir/stdout" 2>"$workdir/stderr"
    app_pid=$!
    local view=""
    for _ in $(seq 200); do
        view=$(swaymsg -t get_tree | jq -c --argjson pid "$app_pid" \
            'first(.. | objects | select(.pid? == $pid and .name == "Velunto"))
             | {shell, x: (.rect.x + .window_rect.x), y: (.rect.y + .window_rect.y),
                width: .window_rect.width, height: .window_rect.height}') || fail "sway does not answer"
        [[ -n $view ]] && break
        kill -0 "$app_pid" 2>/dev/null || fail "velunto ended before its window appeared"
        sleep 0.1
    done
    [[ -n $view ]] || fail "no window titled \"Velunto\" appeared within 20 s"
    local shell width height
    read -r shell window_x window_y width height < <(jq -r '"\(.shell) \(.x) \(.y) \(.width) \(.height)"' <<<"$view")
    # An X11 window, through XWayland, would be of the "xwayland" shell.
    [[ $shell == xdg_shell ]] || fail "the window is of the \"$shell\" shell, not a native Wayland one"
    step "a native Wayland window titled \"Velunto\""
    check_window_size "$width" "$height"
}

click_in_window() {
    swaymsg "seat - cursor set $((window_x + $1)) $((window_y + $2)); seat - cursor press button1;" \
        "seat - cursor release button1" >/dev/null || fail "sway did not take a click"
}
copy_all() {
    wtype -M ctrl -k a -k c -m ctrl
    timeout 5 wl-paste --no-newline 2>/dev/null || true
}

start_compositor
start_velunto_on_wayland

play_opening
press_reset
wait_for_text "reset message" "$reset_message"

wtype -M ctrl -k q -m ctrl || fail "wtype could not type Ctrl+Q"
expect_end "Ctrl+Q" 0

start_velunto_on_wayland
kill "$vnc_pid" "$sway_pid"
# Qt's Wayland client ends the process itself with _exit(1) after a line of
# its own, so no exit handler of the framework runs to add its report.
expect_end "stopping the compositor" 1 any
echo "e2e: PASS: on Wayland the window appeared, the text box was read back, OK and Reset answered," \
    "Ctrl+Q ended velunto with status 0, and losing the compositor with status 1"
