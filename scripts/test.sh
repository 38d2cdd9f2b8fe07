#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/deps.sh"
bash "$here/scripts/build.sh"
cd "${BUILD_DIR:-$here/build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
