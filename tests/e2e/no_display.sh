#!/usr/bin/env bash
# With no display to open its window on (none named, or one that no server
# answers), velunto must end by itself with a non-zero status and a message on
# stderr: not hang, not crash, not report success.
set -euo pipefail

exe=${1:?usage: no_display.sh path/to/velunto}
err=$(mktemp)
trap 'rm -f "$err"' EXIT

expect_clean_failure() { # description, then env arguments
    local what=$1 status=0
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" timeout 20 "$exe" >/dev/null 2>"$err" || status=$?
    if ((status == 0)); then
        echo "e2e: FAIL: velunto ended with status 0 $what" >&2
        exit 1
    fi
    if ((status == 124)); then
        echo "e2e: FAIL: velunto still ran after 20 s $what" >&2
        exit 1
    fi
    if ((status > 128)); then
        echo "e2e: FAIL: velunto was killed by signal $((status - 128)) $what; its stderr:" >&2
        sed 's/^/    /' "$err" >&2
        exit 1
    fi
    if [[ ! -s $err ]]; then
        echo "e2e: FAIL: velunto ended with status $status $what but said nothing" >&2
        exit 1
    fi
    echo "e2e: PASS: $what velunto ended with status $status and said:"
    sed 's/^/    /' "$err"
}

expect_clean_failure "without a display"
# Regression: a display that no server answers made Qt abort the process.
expect_clean_failure "with an unreachable display" DISPLAY=:65431
