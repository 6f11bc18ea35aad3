#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the tools need.
# Idempotent and quiet when everything is already there.
set -euo pipefail

packages=(
  build-essential
  cmake
  ninja-build
  pkg-config
  libgtest-dev
  libgmock-dev
  qt6-base-dev
  qt6-base-dev-tools
  libqt6svg6
  # The 3-D preview: Qt's OpenGL widgets, and Mesa's software OpenGL that draws it in a
  # virtual X server (the render test) where no graphics driver is.
  libqt6opengl6-dev
  libgl1-mesa-dri
  xvfb
  xauth
  clang
  libclang-rt-14-dev
  # The Windows build, tested under Wine: the cross compiler, GoogleTest's sources, Wine;
  # dpkg-dev unpacks Qt's sources for the Windows Qt, qt6-svg-dev draws the tool bar
  # pictures for it; the installer's compiler, the zip tools, and what drives the real
  # window in a virtual X server.
  g++-mingw-w64-x86-64-posix
  googletest
  wine64
  dpkg-dev
  qt6-svg-dev
  nsis
  zip
  unzip
  xdotool
  xclip
  fonts-dejavu-core
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
