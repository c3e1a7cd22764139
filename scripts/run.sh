#!/usr/bin/env bash
# Starts the game, or says plainly why it cannot.
set -euo pipefail
exe=${1:-build/app/velunto}

if [[ ! -x "$exe" ]]; then
    echo "run: $exe has not been built yet; nothing to start." >&2
    exit 1
fi
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    echo "run: no display found (DISPLAY and WAYLAND_DISPLAY are unset); Velunto needs a desktop session." >&2
    exit 1
fi
exec "$exe"
