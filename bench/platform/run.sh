#!/usr/bin/env bash
# The real window's figures on virtual X screens:
#  - the whole frame (draw and swap) and its parts at 1920 x 1080 and at 3840 x 2160;
#  - the CPU the running program takes, maximised under a window manager, idle and
#    under Intermixing (cpu.sh).
# Usage: bench/platform/run.sh [build-dir] [benchmark options...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../build}" && pwd)
shift || true
cmake --build "$build" --target platform_frame_bench tornelo -j2
cd "$build"   # the texture pictures are read from here
for size in 1920x1080 3840x2160; do
  echo "== frame, screen $size"
  xvfb-run -a -s "-screen 0 ${size}x24" ./bench/platform/platform_frame_bench "$@"
done
echo "== CPU of the program, screen 1920x1080"
"$here/cpu.sh" "$build/tornelo" 1920x1080 10
