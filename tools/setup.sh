#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian machine (as
# root) and cross-builds the third-party libraries. Safe to run again: it
# installs only what is missing and reuses the library cache.
# Prints the prefix of the cross-built libraries as its last line.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"

packages=(
    cmake ninja-build make perl python3 openssl ca-certificates dpkg-dev xz-utils
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    mingw-w64-x86-64-dev libz-mingw-w64-dev rapidjson-dev googletest
    wine wine64 xvfb x11-utils xauth xdotool imagemagick fonts-wqy-microhei chromium
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}" >&2
    apt-get update >&2
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}" >&2
fi

"$here/deps/build-deps.sh" | tail -n 1
