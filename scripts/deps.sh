#!/usr/bin/env bash
# Installs from Debian's packages whatever the build, the program and the tests need.
set -euo pipefail
pkgs=(cmake g++ make pkg-config googletest libgtest-dev libgmock-dev libbenchmark-dev
      qt6-base-dev qt6-qpa-plugins libgl-dev nlohmann-json3-dev fonts-liberation fontconfig
      xvfb xauth)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Устанавливаются пакеты: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
