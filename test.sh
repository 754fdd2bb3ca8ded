#!/usr/bin/env bash
# Sets up, builds and runs every test.
#   ./test.sh             the normal build, in build/
#   ./test.sh --sanitize  the whole suite built with AddressSanitizer and
#                         UndefinedBehaviorSanitizer, in build-sanitize/
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
dir=build
options=()
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-sanitize
  options=(-DKASAMAT_SANITIZE=ON -DKASAMAT_BENCH=OFF)
fi
scripts/build.sh "$dir" "${options[@]}"
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" --timeout 300
