#!/usr/bin/env bash
# With no display to open its window on (none named, or one that no server
# answers), velunto must end by itself with a non-zero status and a message on
# stderr: not hang, not crash, not report success.
set -euo pipefail

exe=${1:?usage: no_display.sh path/to/velunto}
source "$(dirname "$0")/lib.sh"

expect_clean_failure() { # description, then env arguments
    local what=$1 status=0
    shift
    start env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" timeout 20 "$exe" >/dev/null 2>"$workdir/stderr"
    wait "$!" || status=$?
    ((status != 0)) || fail "velunto ended with status 0 $what"
    ((status != 124)) || fail "velunto still ran after 20 s $what"
    ((status <= 128)) || fail "velunto was killed by signal $((status - 128)) $what"
    [[ -s $workdir/stderr ]] || fail "velunto ended with status $status $what but said nothing"
    echo "e2e: PASS: $what velunto ended with status $status and said:"
    sed 's/^/    /' "$workdir/stderr"
}

expect_clean_failure "without a display"
# Regression: a display that no server answers made Qt abort the process.
expect_clean_failure "with an unreachable display" DISPLAY=:65431
