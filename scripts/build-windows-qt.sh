#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (mingw-w64) from Debian's own source packages, the same version
# as the host tools of qt6-base-dev, into a cache folder outside any build tree, and prints
# that folder on its last line. A folder is reused only when its build finished: the marker
# file is written last, and a half-built folder is removed before the next try.
#
#   scripts/build-windows-qt.sh        # builds once, then only prints the folder
#
# VARNOKE_CACHE_DIR chooses the cache (default: $XDG_CACHE_HOME/varnoke, or ~/.cache/varnoke);
# VARNOKE_QT_JOBS the parallel jobs (default 2). The sources come through `apt-get source`
# with a private deb-src list for the archive and suite the installed packages came from.
set -euo pipefail
exec 3>&1 1>&2 # the folder alone goes to standard output, the rest to standard error

root="$(cd "$(dirname "$0")/.." && pwd)"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
# Debian keeps the host Qt's CMake packages under the multiarch folder.
host_cmake_dir="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch)/cmake"
[ -f "$toolchain" ] || { echo "No toolchain file $toolchain" >&2; exit 1; }
jobs="${VARNOKE_QT_JOBS:-2}"
cache_root="${VARNOKE_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/varnoke}"

base_version="$(dpkg-query -W -f='${Version}' qt6-base-dev)"
qt_version="${base_version%%+*}"
qt_version="${qt_version%%-*}"

# Qt's DLLs (LGPLv3: a user may put other builds of them beside the program), with the C++
# runtime linked into each (-static-runtime is for static builds only), so nothing but Qt's
# own DLLs has to be shipped. OpenGL is the system's opengl32.dll; Debian's source lacks the
# tablet header wintab.h.
qt_options=(
  -release -shared -xplatform win32-g++ -qt-host-path /usr
  -nomake examples -nomake tests
  -no-dbus -no-icu -no-openssl -opengl desktop
  -no-feature-sql -no-feature-network -no-feature-printsupport -no-feature-concurrent
  -no-feature-xml -no-feature-tabletevent
  -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-freetype -qt-harfbuzz -cmake-generator Ninja
)
cmake_options=(-DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir"
  -DCMAKE_SHARED_LINKER_FLAGS=-static -DCMAKE_MODULE_LINKER_FLAGS=-static)

# The key: Qt's version, the options, the toolchain file (its text, wherever the clone is)
# and the compiler.
key="$({
  echo "qt6-base $base_version"
  echo "${qt_options[*]} -- ${cmake_options[*]//$toolchain/TOOLCHAIN}"
  cat "$toolchain"
  x86_64-w64-mingw32-g++-posix --version | head -n 1
} | sha256sum | cut -c1-12)"
prefix="$cache_root/qt-$qt_version-$key"
marker="$prefix/.varnoke-complete"
work="$prefix.work"

mkdir -p "$cache_root"
exec 9>"$cache_root/qt-$qt_version-$key.lock"
flock 9 # one build of a key at a time; a second caller waits and then reuses it

if [ -f "$marker" ]; then
  echo "$prefix" >&3
  exit 0
fi

start=$(date +%s)
rm -rf "$prefix" # whatever a failed run left: never taken for a finished Qt
mkdir -p "$work"

# The sources, through apt from the archive and suite qt6-base-dev was installed from.
if [ ! -f "$work/sources.done" ]; then
  origin="$(apt-cache policy qt6-base-dev | awk -v v="$base_version" '
    $1 == "***" { mine = ($2 == v) } $1 == v { mine = 1; next }
    mine && $2 ~ /^(https?|file):/ { print $2, $3; exit }')"
  [ -n "$origin" ] || { echo "Cannot tell which archive qt6-base-dev $base_version came from" >&2; exit 1; }
  read -r archive_uri suite_component <<<"$origin"
  suite="${suite_component%%/*}"
  component="${suite_component#*/}"
  apt_dir="$work/apt"
  rm -rf "$apt_dir" "$work/src"
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$work/src"
  echo "deb-src $archive_uri $suite $component" >"$apt_dir/sources.list"
  apt_options=(
    -o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=/nonexistent"
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
    -o "Debug::NoLocking=1" -o "APT::Sandbox::User=root"
  )
  echo "Fetching the sources of qt6-base $base_version from $archive_uri $suite"
  apt-get -qq "${apt_options[@]}" update
  (cd "$work/src" && apt-get -qq "${apt_options[@]}" source --only-source \
    "qt6-base=$base_version" >/dev/null)
  touch "$work/sources.done"
fi
base_src="$(find "$work/src" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)"

echo "Building Qt $qt_version for Windows into $prefix (${jobs} jobs; about half an hour on two cores)"
mkdir -p "$work/base"
(cd "$work/base" && "$base_src/configure" -prefix "$prefix" "${qt_options[@]}" \
  -- "${cmake_options[@]}" >configure.log 2>&1) ||
  { tail -n 40 "$work/base/configure.log" >&2; exit 1; }
cmake --build "$work/base" --parallel "$jobs"
cmake --install "$work/base" >/dev/null

# The licence texts and where the sources came from, for the packages.
mkdir -p "$prefix/licenses"
cp "$base_src/debian/copyright" "$prefix/licenses/qt6-base-copyright.txt"
for text in LICENSES/LGPL-3.0-only.txt LICENSES/GPL-3.0-only.txt LICENSES/GPL-2.0-only.txt; do
  [ -f "$base_src/$text" ] && cp "$base_src/$text" "$prefix/licenses/"
done
{
  echo "Qt $qt_version, built for Windows from the Debian source packages"
  echo "qt6-base $base_version"
  echo "(archive: $(cat "$work/apt/sources.list" 2>/dev/null || echo unknown))"
  echo "configured with: ${qt_options[*]}"
} >"$prefix/licenses/qt-source.txt"

rm -rf "$work"
echo "$(( $(date +%s) - start )) s" >"$marker"
echo "Qt $qt_version for Windows built in $(( ($(date +%s) - start) / 60 )) min $(( ($(date +%s) - start) % 60 )) s"
echo "$prefix" >&3
