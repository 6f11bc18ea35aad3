#!/usr/bin/env bash
# The zip and the installer of `make package-windows`, checked under Wine:
#  - the zip holds the programs, Qt's DLLs and plugins, the sample, README.txt and the
#    licences, and its varnoke-cli checks its sample clean;
#  - a silent install into a Poser folder, whose varnoke-cli checks the installed sample clean;
#    a silent uninstall then leaves every file and registry key as before the install, but for
#    the uninstaller itself (it cannot delete itself while it runs in place);
#  - the programs carry version information and a manifest (asInvoker, per-monitor DPI aware),
#    varnoke.exe the program's icon; every shipped program and DLL is stripped;
#  - the uninstall entry names the icon, publisher, version and size;
#  - an install into a folder that already holds files of the names it ships leaves them as
#    they were, and so does its uninstall;
#  - an install over an earlier one replaces the files the earlier one put there (an older
#    varnoke.exe, a broken Qt6Widgets.dll), and its log lists each file once;
#  - an install that stops half-way (a file in the way of a folder) leaves every file it wrote
#    whole and an uninstaller; the next install completes it.
#   scripts/check-windows-packages.sh [BUILD]     (WINEPREFIX set, as make test-windows does)
set -euo pipefail
wine=/usr/lib/wine/wine64
build="$(cd "${1:-build-windows}" && pwd)"
zip="$(ls "$build"/packages/varnoke-*-windows-x64.zip)"
setup="$(ls "$build"/packages/varnoke-*-setup.exe)"
name="$(basename "$zip" .zip)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
: "${WINEPREFIX:?set WINEPREFIX}"

fail() {
  echo "package check: $*" >&2
  exit 1
}
windows_path() { echo "Z:${1//\//\\}"; }
# What an install may change: the files of drive C (less Wine's own), the files of the
# folder, and the registry keys an install writes to.
snapshot() {
  (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -path './users/*/Temp' -prune -o -print | sort)
  (cd "$1" && find . \( -type d -printf '%p/\n' \) -o -printf '%p %s %T@\n' | sort)
  for key in 'HKLM\Software\Classes' 'HKCU\Software\Classes' \
    'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'; do
    "$wine" reg export "$key" "$work/key.reg" /y >/dev/null 2>&1 || true
    [ -f "$work/key.reg" ] && iconv -f UTF-16LE -t UTF-8 "$work/key.reg" | tr -d '\r'
    rm -f "$work/key.reg"
  done
}
same_as_zip() { # FOLDER: every file an install put there is the zip's file of that name, whole
  local file shipped
  while read -r file; do
    shipped="$work/$name/${file#Varnoke/}"
    [ -f "$shipped" ] || fail "$1 holds $file, which the zip has not"
    cmp -s "$1/$file" "$shipped" || fail "$1/$file is not the file the zip holds"
  done < <(cd "$1" && find . -type f ! -name install.log ! -name Uninstall.exe ! -name '*.mine' | sed 's|^\./||')
}
checks_clean() { # FOLDER: its varnoke-cli finds no error and no warning in its sample
  local output
  output="$(cd "$1" && "$wine" varnoke-cli.exe check --format gnu 'Runtime\Geometries\Mannikin\mannikin.phi' 2>/dev/null)" ||
    fail "varnoke-cli in $1 does not pass the sample: $output"
  [ -z "$output" ] || fail "varnoke-cli in $1 finds in the sample: $output"
}

"$wine" wineboot -i >/dev/null 2>&1 || true # a Wine prefix that is made now says so once

# The zip.
listing="$(unzip -Z1 "$zip")"
for file in varnoke.exe varnoke-cli.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6OpenGL.dll Qt6OpenGLWidgets.dll \
  platforms/qwindows.dll \
  styles/qwindowsvistastyle.dll Runtime/Geometries/Mannikin/mannikin.phi Runtime/Geometries/Mannikin/mannikin.obj \
  README.txt licenses/LGPL-3.0-only.txt licenses/qt-source.txt; do
  grep -qx "$name/$file" <<<"$listing" || fail "the zip lacks $file"
done
(cd "$work" && unzip -q "$zip")
checks_clean "$work/$name"
echo "package check: the zip holds what it should, and its varnoke-cli checks its sample clean"

# Version information, manifest, icon; no symbols.
for program in varnoke varnoke-cli; do
  exe="$work/$name/$program.exe"
  wrestool -x --raw -t16 "$exe" | strings -el -n 3 | grep -x "$(cut -d- -f2 <<<"$name")" >/dev/null ||
    fail "$program.exe carries no version information of its version"
  manifest="$(wrestool -x --raw -t24 "$exe")"
  grep -q 'level="asInvoker"' <<<"$manifest" && grep -q '>PerMonitorV2' <<<"$manifest" ||
    fail "$program.exe carries no manifest asking for asInvoker and per-monitor DPI awareness: $manifest"
done
[ "$(wrestool -l -t3 "$work/$name/varnoke.exe" | wc -l)" -ge 4 ] && [ -n "$(wrestool -l -t14 "$work/$name/varnoke.exe")" ] ||
  fail "varnoke.exe carries no icon of several sizes"
for module in "$work/$name"/*.exe "$work/$name"/*.dll "$work/$name"/*/*.dll; do
  [[ "$(x86_64-w64-mingw32-nm "$module" 2>&1)" == *"no symbols"* ]] &&
    [[ "$(x86_64-w64-mingw32-objdump -h "$module")" != *.debug* ]] ||
    fail "$(basename "$module") is not stripped"
done
echo "package check: the programs carry version, manifest and icon; every program and DLL is stripped"

# A silent install into a Poser folder, and a silent uninstall.
poser="$work/Poser11" # /D= takes no quotes, and Wine quotes an argument with a space
mkdir -p "$poser"
: >"$poser/Poser.exe"
before="$(snapshot "$poser")"
"$wine" "$setup" /S /D="$(windows_path "$poser")" 2>/dev/null || fail "the silent install failed"
for file in varnoke.exe varnoke-cli.exe Qt6Core.dll platforms/qwindows.dll Runtime/Geometries/Mannikin/mannikin.phi \
  Varnoke/README.txt Varnoke/licenses/qt-source.txt Varnoke/Uninstall.exe; do
  [ -f "$poser/$file" ] || fail "the install did not put $file into the folder"
done
[ -f "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Varnoke/Varnoke.lnk" ] ||
  fail "the install made no Start menu entry"
"$wine" reg query 'HKLM\Software\Classes\.phi\OpenWithProgids' /v Varnoke.phi >/dev/null 2>&1 ||
  fail "the install did not offer Varnoke in Open with for .phi files"
! "$wine" reg query 'HKLM\Software\Classes\.phi' /ve 2>/dev/null | grep -q Varnoke ||
  fail "the install made Varnoke the default program for .phi files unasked"
checks_clean "$poser"
entry="$("$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnoke' 2>/dev/null | tr -d '\r')"
for value in DisplayIcon Publisher DisplayVersion EstimatedSize; do
  grep -q "^ *$value " <<<"$entry" || fail "the uninstall entry has no $value: $entry"
done
grep -q "DisplayIcon .*varnoke.exe,0" <<<"$entry" || fail "the uninstall entry's icon is not varnoke.exe's: $entry"
"$wine" "$poser/Varnoke/Uninstall.exe" /S _?="$(windows_path "$poser/Varnoke")" || fail "the silent uninstall failed"
after="$(snapshot "$poser")"
changes="$(diff <(echo "$before") <(echo "$after") | grep '^[<>]' | cut -d' ' -f1-2 || true)"
[ "$changes" = $'> ./Varnoke/\n> ./Varnoke/Uninstall.exe' ] ||
  fail "the uninstall left other changes than its uninstaller:"$'\n'"$changes"
echo "package check: installed, checked the installed sample clean, uninstalled all but the uninstaller"

# An install into a folder that holds files of names it ships.
mine="$work/Mine"
mkdir -p "$mine/Runtime/Geometries/Mannikin"
printf 'my own DLL' >"$mine/Qt6Core.dll"
printf '#my own figure\r\n' >"$mine/Runtime/Geometries/Mannikin/mannikin.phi"
"$wine" "$setup" /S /D="$(windows_path "$mine")" 2>/dev/null || fail "the second install failed"
[ "$(cat "$mine/Qt6Core.dll")" = "my own DLL" ] || fail "the install replaced an existing Qt6Core.dll"
[ "$(cat "$mine/Runtime/Geometries/Mannikin/mannikin.phi")" = $'#my own figure\r' ] ||
  fail "the install replaced an existing mannikin.phi"
[ -f "$mine/varnoke.exe" ] && [ -f "$mine/Runtime/Geometries/Mannikin/mannikin.obj" ] ||
  fail "the install left out files that were not there"
"$wine" "$mine/Varnoke/Uninstall.exe" /S _?="$(windows_path "$mine/Varnoke")" || fail "the second uninstall failed"
[ "$(cat "$mine/Qt6Core.dll")" = "my own DLL" ] && [ -f "$mine/Runtime/Geometries/Mannikin/mannikin.phi" ] ||
  fail "the uninstall removed files the install had not made"
[ ! -e "$mine/varnoke.exe" ] && [ ! -e "$mine/Runtime/Geometries/Mannikin/mannikin.obj" ] ||
  fail "the uninstall left files the install had made"
echo "package check: an install leaves files already there as they were, and so does its uninstall"

# An upgrade: files the earlier install put there are replaced, however they are now.
upgrade="$work/Upgrade"
"$wine" "$setup" /S /D="$(windows_path "$upgrade")" 2>/dev/null || fail "the first install for the upgrade failed"
printf 'an older varnoke.exe' >"$upgrade/varnoke.exe"
: >"$upgrade/Qt6Widgets.dll"
"$wine" "$setup" /S /D="$(windows_path "$upgrade")" 2>/dev/null || fail "the upgrade failed"
same_as_zip "$upgrade"
[ -z "$(tr -d '\r' <"$upgrade/Varnoke/install.log" | sort | uniq -d)" ] || fail "the upgrade's log lists files twice"
"$wine" "$upgrade/Varnoke/Uninstall.exe" /S _?="$(windows_path "$upgrade/Varnoke")" || fail "the uninstall after the upgrade failed"
[ "$(cd "$upgrade" && find . | sort)" = $'.\n./Varnoke\n./Varnoke/Uninstall.exe' ] ||
  fail "the uninstall after the upgrade left: $(cd "$upgrade" && find .)"
echo "package check: an install over an earlier one replaced its files, and the uninstall removed them"

# A stopped install: a file named styles stands where the plugins' folder goes.
stopped="$work/Stopped"
mkdir -p "$stopped"
printf 'my own styles' >"$stopped/styles.mine"
cp "$stopped/styles.mine" "$stopped/styles"
! "$wine" "$setup" /S /D="$(windows_path "$stopped")" 2>/dev/null || fail "the install did not stop where it could not write"
[ -f "$stopped/Qt6Widgets.dll" ] || fail "the stopped install wrote nothing before it stopped"
[ -f "$stopped/Varnoke/Uninstall.exe" ] || fail "the stopped install left no uninstaller"
cmp -s "$stopped/styles" "$stopped/styles.mine" || fail "the stopped install changed the file in its way"
rm "$stopped/styles"
same_as_zip "$stopped"
[ -z "$(find "$stopped" -name '*.varnoke-new')" ] || fail "the stopped install left temporary files"
"$wine" "$setup" /S /D="$(windows_path "$stopped")" 2>/dev/null || fail "the install after a stopped one failed"
same_as_zip "$stopped"
[ -f "$stopped/styles/qwindowsvistastyle.dll" ] || fail "the install after a stopped one did not complete it"
checks_clean "$stopped"
echo "package check: a stopped install left whole files and an uninstaller; the next install completed it"
