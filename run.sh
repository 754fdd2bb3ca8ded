#!/usr/bin/env bash
# Sets up, builds and starts Kasamat from the program folder build/bin/.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh build
exec build/bin/kasamat "$@"
