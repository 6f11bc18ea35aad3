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
  libxcb1-dev
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
  # window in a virtual X server and reads its pixels (xwd).
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
  x11-apps
  fonts-dejavu-core
  # The Linux package and its checks: the package's dependencies (dpkg-shlibdeps), the
  # desktop file's and the MIME type's validators, the MIME database, the man page reader,
  # and lintian; icotool packs the Windows icon from the pictures drawn of the program's SVG
  # icon, and wrestool reads the Windows programs' resources back.
  desktop-file-utils
  libxml2-utils
  shared-mime-info
  man-db
  lintian
  icoutils
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
