#!/usr/bin/env bash
# Builds Tarnwick (installing what it needs) and starts it. Arguments are
# passed to the program, for example: tools/run.sh --data-dir /tmp/tarnwick
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/tools/build.sh"
exec "${TARNWICK_BUILD_DIR:-$root/build}/src/tarnwick" "$@"
