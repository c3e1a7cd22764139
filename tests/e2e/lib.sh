# Sourced by the end-to-end scripts: a work directory, failing with what
# velunto said, a virtual X display, and taking every process they start down
# with them however they end.

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
# report on stderr, or 1 with exactly one "Unhandled exception" line.
expect_end() {
    local action=$1 expected=$2 status=0 reports
    for _ in $(seq 100); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app_pid" 2>/dev/null && fail "velunto still runs 10 s after $action"
    wait "$app_pid" || status=$?
    ((status <= 128)) || fail "velunto was killed by signal $((status - 128)) after $action"
    ((status == expected)) || fail "velunto ended with status $status after $action, expected $expected"
    reports=$(grep -c "^Unhandled exception: " "$workdir/stderr" || true)
    ((reports == (expected != 0))) || fail "velunto reported $reports unhandled exceptions after $action"
    step "PASS: $action ended velunto with status $status"
}
