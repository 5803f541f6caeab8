#!/usr/bin/env bash
# Sets up the machine, builds everything for Windows and runs every test under Wine.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
deps_prefix="$(tools/setup.sh)"
cmake --preset cross -DHLVN_DEPS_PREFIX="$deps_prefix"
cmake --build --preset cross
# Browser and end-to-end tests drive a real engine, windows and input on one
# X display under Wine; one that fails is run once more, and fails the run
# if it fails again.
ctest --preset cross --repeat until-pass:2 "$@"
