#!/usr/bin/env bash
# Installs what is missing, then configures and builds Tarnwick in build/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/tools/setup-debian.sh"
build_dir="${TARNWICK_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="${CMAKE_BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"
