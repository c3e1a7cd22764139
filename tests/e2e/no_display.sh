#!/usr/bin/env bash
# With no display to open its window on, velunto must end by itself with a
# non-zero status and a message on stderr, not hang and not crash.
set -euo pipefail

exe=${1:?usage: no_display.sh path/to/velunto}
err=$(mktemp)
trap 'rm -f "$err"' EXIT

status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$exe" >/dev/null 2>"$err" || status=$?

if ((status == 0)); then
    echo "e2e: FAIL: velunto ended with status 0 without a display" >&2
    exit 1
fi
if ((status == 124)); then
    echo "e2e: FAIL: velunto still ran after 20 s without a display" >&2
    exit 1
fi
if ((status > 128)); then
    echo "e2e: FAIL: velunto was killed by signal $((status - 128)) without a display; its stderr:" >&2
    sed 's/^/    /' "$err" >&2
    exit 1
fi
if [[ ! -s $err ]]; then
    echo "e2e: FAIL: velunto ended with status $status without a display but said nothing" >&2
    exit 1
fi
echo "e2e: PASS: without a display velunto ended with status $status and said:"
sed 's/^/    /' "$err"
