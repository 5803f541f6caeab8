#!/usr/bin/env bash
# Runs the launcher against the local demo site: demo/run.sh BUILD_DIR [options]
# (see demo/README.md).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if [[ $# -lt 1 ]]; then
    echo "usage: $0 BUILD_DIR [--screenshots DIR] [--tour]" >&2
    exit 2
fi
exec python3 "$here/run.py" "$@"
