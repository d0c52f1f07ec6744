#!/usr/bin/env bash
# Runs the frame benchmark of the real window on a 1920 x 1080 virtual screen.
# Usage: bench/platform/run.sh [build-dir] [benchmark options...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build}
shift || true
cmake --build "$build" --target platform_frame_bench -j2
cd "$build"   # the texture pictures are read from here
exec xvfb-run -a -s "-screen 0 1920x1080x24" ./bench/platform/platform_frame_bench "$@"
