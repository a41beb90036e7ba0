#!/usr/bin/env bash
# Installs the Debian 12 packages that the build, the tests and the editor need.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg62-turbo-dev libpng-dev zlib1g-dev
  libegl-dev libgl-dev libegl-mesa0 libgl1-mesa-dri
  qt6-base-dev libfreetype-dev libfontconfig-dev fonts-ipafont-gothic
  libcurl4-openssl-dev
  clang libclang-rt-14-dev
  assimp-testmodels netpbm
  python3 xvfb xdotool x11-apps x11vnc
  assimp-utils libassimp-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
