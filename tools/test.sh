#!/usr/bin/env bash
# Builds Tarnwick (installing what it needs) and runs every test under CTest.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/tools/build.sh"
build_dir="${TARNWICK_BUILD_DIR:-$root/build}"
if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -d "${XDG_RUNTIME_DIR}" ]; then
  export XDG_RUNTIME_DIR="$(mktemp -d)"
  chmod 0700 "$XDG_RUNTIME_DIR"
fi
cd "$build_dir"
ctest --output-on-failure --parallel "$(nproc)" "$@"
