#!/usr/bin/env bash
# Sets up the machine, builds everything and runs the launcher against the local demo site.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
deps_prefix="$(tools/setup.sh)"
cmake --preset cross -DHLVN_DEPS_PREFIX="$deps_prefix"
cmake --build --preset cross
exec demo/run.sh "$here/build/cross"
