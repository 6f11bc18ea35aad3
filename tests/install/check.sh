#!/usr/bin/env bash
# Checks of what `cmake --install` puts under PREFIX, and of the Debian package:
#   check.sh programs PREFIX   the installed varnoke-cli tests the installed sample clean, from
#                              anywhere; the desktop entry names what is installed; the man
#                              pages read without warnings
#   check.sh desktop PREFIX    desktop-file-validate finds nothing to say
#   check.sh mime PREFIX       the MIME type is valid XML, and a MIME database made of it maps
#                              *.phi in any letter case to the type the desktop entry opens
#   check.sh package PREFIX BUILD OUT
#                              cpack makes the package in OUT; lintian finds no error or warning;
#                              it holds what the install holds, with the dependencies Qt needs
set -euo pipefail
what="$1"
prefix="$(cd "$2" && pwd)"
fail() {
  echo "check $what: $*" >&2
  exit 1
}
desktop="$prefix/share/applications/varnoke.desktop"
entry() { sed -n "s/^$1=//p" "$desktop"; }
mime_type="$(entry MimeType | tr -d ';')"

case "$what" in
programs)
  sample="$prefix/share/varnoke/Runtime/Geometries/Mannikin/mannikin.phi"
  output="$(cd / && "$prefix/bin/varnoke-cli" check --format gnu "$sample" 2>&1)" ||
    fail "the installed varnoke-cli does not pass the installed sample: $output"
  [ -z "$output" ] || fail "the installed varnoke-cli finds in the installed sample: $output"
  program="$(entry Exec | cut -d' ' -f1)"
  [ -x "$prefix/bin/$program" ] || fail "the desktop entry starts $program, which is not installed"
  [ -f "$prefix/share/icons/hicolor/scalable/apps/$(entry Icon).svg" ] ||
    fail "the desktop entry's icon $(entry Icon) is not installed"
  for page in varnoke varnoke-cli; do
    [ -x "$prefix/bin/$page" ] || fail "a man page for $page, which is not installed"
    warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null)"
    [ -z "$warnings" ] || fail "the man page of $page: $warnings"
  done
  ;;
desktop)
  output="$(desktop-file-validate "$desktop" 2>&1)" || fail "$output"
  [ -z "$output" ] || fail "desktop-file-validate says: $output"
  ;;
mime)
  xml="$prefix/share/mime/packages/varnoke.xml"
  xmllint --noout "$xml" || fail "$xml is not well-formed XML"
  declared="$(xmllint --xpath 'string(//*[local-name()="mime-type"]/@type)' "$xml")"
  [ "$declared" = "$mime_type" ] || fail "the desktop entry opens $mime_type, the MIME file declares $declared"
  data="$(mktemp -d)"
  trap 'rm -rf "$data"' EXIT
  database="$data/mime"
  mkdir -p "$database/packages"
  cp "$xml" "$database/packages/"
  output="$(XDG_DATA_HOME="$data" update-mime-database "$database" 2>&1)"
  [ -z "$output" ] || fail "update-mime-database says of $xml: $output"
  # One glob of the type, unmarked: a glob marked cs is one where letter case counts.
  globs="$(grep -v '^#' "$database/globs2")"
  [[ "$globs" =~ ^[0-9]+:$mime_type:\*\.phi$ ]] ||
    fail "the database does not map *.phi, in any letter case, to $mime_type: $globs"
  ;;
package)
  build="$3"
  out="$4"
  rm -rf "$out"
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out.log" 2>&1 || fail "cpack failed: $(cat "$out.log")"
  deb="$(ls "$out"/varnoke_*.deb)"
  lintian --fail-on error,warning "$deb" 2> >(grep -v 'root privileges' >&2) || fail "lintian finds the faults above"
  depends="$(dpkg-deb -f "$deb" Depends)"
  names="$(sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$depends")"
  for package in libqt6widgets6 libqt6svg6 qt6-qpa-plugins libstdc++6; do
    grep -qxF "$package" <<<"$names" || fail "the package does not depend on $package: $depends"
  done
  [ "$(dpkg-deb -f "$deb" Recommends)" = libgl1-mesa-dri ] || fail "the package does not recommend libgl1-mesa-dri"
  packaged="$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sed 's|^\./usr/||' | sort)"
  installed="$(cd "$prefix" && find . -type f | sed 's|^\./||' | sort)"
  [ "$packaged" = "$installed" ] ||
    fail "the package and the install differ:"$'\n'"$(diff <(echo "$packaged") <(echo "$installed"))"
  ;;
*)
  fail "unknown check"
  ;;
esac
echo "check $what: passed"
