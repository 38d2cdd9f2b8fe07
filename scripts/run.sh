#!/usr/bin/env bash
# Installs what is missing, builds and starts the program.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/deps.sh"
bash "$here/scripts/build.sh"
bin=${BUILD_DIR:-$here/build}/bin
if [ -x "$bin/sonvela" ]; then
  if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$bin/sonvela" "$@"
  fi
  out="$here/example-report.pdf"
  "$bin/sonvela-cli" report "$here/resources/examples/hall.snv" --out "$out"
  echo "Экрана нет: отчет о проверке примерного зала записан в $out"
else
  echo "Графическая программа еще не собрана; проверка зала с исходными данными:"
  exec "$bin/sonvela-cli" check
fi
