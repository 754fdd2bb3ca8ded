#!/usr/bin/env bash
# Sets up, builds what the program folder holds (not the tests or the
# benchmarks) and starts Kasamat from build/bin/.
set -euo pipefail
cd "$(dirname "$0")"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Kasamat's window needs a graphical session (DISPLAY or WAYLAND_DISPLAY); build/bin/kasamat-batch runs without one." >&2
  exit 1
fi
scripts/setup.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j "$(nproc)" --target kasamat kasamat-batch kasamat_data
exec build/bin/kasamat "$@"
