#!/usr/bin/env bash
# make package-windows: from a Windows build folder, the zip varnoke-VERSION-windows-x64.zip
# and the installer varnoke-VERSION-setup.exe, in BUILD/packages.
#   scripts/package-windows.sh [BUILD]      (default build-windows)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-build-windows}" && pwd)"
cache="$build/CMakeCache.txt"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$cache")"
qt_prefix="$(cd "$(sed -n 's/^Qt6_DIR:PATH=//p' "$cache")/../../.." && pwd)"
qt_version="$(sed -n 's/^Qt6_VERSION:INTERNAL=//p' "$cache")"
[ -n "$qt_version" ] || qt_version="$(basename "$qt_prefix" | cut -d- -f2)"
bin="$build/bin"

out="$build/packages"
name="varnoke-$version-windows-x64"
stage="$out/$name"
rm -rf "$stage" "$out/$name.zip" "$out/varnoke-$version-setup.exe"
mkdir -p "$stage/platforms" "$stage/styles" "$stage/licenses"

# The programs and what they load; the sample figure; the notes and licences (CR LF).
cp "$bin/varnoke.exe" "$bin/varnoke-cli.exe" "$bin/Qt6Core.dll" "$bin/Qt6Gui.dll" "$bin/Qt6Widgets.dll" \
  "$bin/Qt6OpenGL.dll" "$bin/Qt6OpenGLWidgets.dll" "$stage/"
cp "$bin/platforms/qwindows.dll" "$stage/platforms/"
cp "$bin/styles/qwindowsvistastyle.dll" "$stage/styles/"
cp -r "$root/examples/Runtime" "$stage/"
sed -e "s/@VERSION@/$version/g" -e "s/@QT_VERSION@/$qt_version/g" -e 's/$/\r/' \
  "$root/packaging/windows/README.txt" >"$stage/README.txt"
for licence in "$qt_prefix"/licenses/*; do
  sed 's/\r*$/\r/' "$licence" >"$stage/licenses/$(basename "$licence")"
done

# Shipped without symbols or debugging information.
for module in "$stage"/*.exe "$stage"/*.dll "$stage"/*/*.dll; do
  x86_64-w64-mingw32-strip --strip-all "$module" # exports are in the export table
done

# Every DLL a program or plugin needs is shipped or comes with Windows.
for module in "$stage"/*.exe "$stage"/*.dll "$stage"/*/*.dll; do
  for dll in $(x86_64-w64-mingw32-objdump -p "$module" | sed -n 's/^\s*DLL Name: //p'); do
    [ -f "$stage/$dll" ] && continue
    case "${dll,,}" in
    kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | ole32.dll | oleaut32.dll | \
      comdlg32.dll | winmm.dll | imm32.dll | uxtheme.dll | dwmapi.dll | ws2_32.dll | shlwapi.dll | \
      version.dll | netapi32.dll | userenv.dll | mpr.dll | winspool.drv | opengl32.dll | d3d9.dll | \
      d3d11.dll | dxgi.dll | dxguid.dll | msvcrt.dll | setupapi.dll | wtsapi32.dll | authz.dll | \
      crypt32.dll | bcrypt.dll | secur32.dll | iphlpapi.dll | dwrite.dll | d2d1.dll | shcore.dll | api-ms-win-*) ;;
    *)
      echo "package-windows: $(basename "$module") needs $dll, which is neither shipped nor part of Windows" >&2
      exit 1
      ;;
    esac
  done
done

(cd "$out" && zip -q -r -X "$name.zip" "$name")

# The installer: every file by name, so that it can tell its own files from the user's. The notes
# and licences go into the Varnoke sub-folder, beside the uninstaller.
files="$out/files.nsh"
: >"$files"
(cd "$stage" && find . -mindepth 1 -type d | sort) | while read -r folder; do
  folder="${folder#.}"
  case "$folder" in /licenses*) folder="/Varnoke$folder" ;; esac
  echo "!insertmacro VarnokeFolder \"${folder//\//\\}\"" >>"$files"
done
(cd "$stage" && find . -type f | sort) | while read -r file; do
  file="${file#./}"
  target="/$file"
  case "$file" in README.txt | licenses/*) target="/Varnoke/$file" ;; esac
  folder="$(dirname "$target")"
  [ "$folder" = / ] && folder=""
  echo "!insertmacro VarnokeFile \"${folder//\//\\}\" \"$stage/$file\" \"$(basename "$file")\"" >>"$files"
done
makensis -V2 -DVERSION="$version" -DFILES="$files" -DOUTFILE="$out/varnoke-$version-setup.exe" \
  -DICON="$build/varnoke.ico" -DSIZE_KB="$(du -sk --apparent-size "$stage" | cut -f1)" \
  "$root/packaging/windows/varnoke.nsi"

echo "$out/$name.zip"
echo "$out/varnoke-$version-setup.exe"
