#!/usr/bin/env bash
# Installs, by Debian package name, everything the build, the tests and screenshots need.
# Idempotent: when every package is present it returns at once.
set -euo pipefail
pkgs=(build-essential cmake ninja-build pkg-config
      qt6-base-dev qt6-base-dev-tools libqt6svg6
      libgtest-dev libgmock-dev googletest libbenchmark-dev
      fonts-wqy-microhei fonts-arphic-uming xvfb xauth imagemagick
      openbox libxtst-dev libxcb1-dev
      clang-14 libclang-rt-14-dev)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
