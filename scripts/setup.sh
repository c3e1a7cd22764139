#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need, and
# does nothing when they are all there.
set -euo pipefail

packages=(
    g++ cmake ninja-build make pkg-config
    qt6-base-dev libgl-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    libxdamage-dev # startup_bench sees the first paint through X Damage
    clang libclang-rt-14-dev
    xvfb xauth xdotool xclip x11-utils
    qt6-wayland sway wayvnc wtype wl-clipboard jq # the Wayland end-to-end run
    fonts-noto-cjk
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "setup: installing ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "setup: run as root or install sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
