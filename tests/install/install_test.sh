#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the result: every file in its place,
# the desktop entry, AppStream data and MIME types valid for their tools (and the MIME types
# found by file name and by content), the icons of the size their folder says, the manual pages
# rendered without a warning and saying what the programs' help says, the programs' version, and
# the bash completion loaded and completing.
# Usage: install_test.sh BUILD-DIR VERSION
set -uo pipefail
build=${1:?usage: install_test.sh BUILD-DIR VERSION}
version=${2:?usage: install_test.sh BUILD-DIR VERSION}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
share=$prefix/share
metainfo=$share/metainfo/io.github.vesta.Vesta.metainfo.xml
sizes=(16 22 24 32 48 64 128 256)

expected=(bin/vesta bin/vesta-cli bin/vesta-instrument share/applications/vesta.desktop
          share/metainfo/io.github.vesta.Vesta.metainfo.xml share/mime/packages/vesta.xml
          share/icons/hicolor/scalable/apps/vesta.svg share/bash-completion/completions/vesta-cli
          share/man/man1/vesta.1 share/man/man1/vesta-cli.1 share/man/man1/vesta-instrument.1)
for size in "${sizes[@]}"; do expected+=("share/icons/hicolor/${size}x$size/apps/vesta.png"); done
for file in "${expected[@]}"; do [ -s "$prefix/$file" ] || fail "$file is not installed"; done
for program in vesta vesta-cli vesta-instrument; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
done

# A PNG's width and height are the big-endian words at bytes 16 and 20.
for size in "${sizes[@]}"; do
  png=$share/icons/hicolor/${size}x$size/apps/vesta.png
  [ -f "$png" ] || continue
  read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "$width $height" = "$size $size" ] || fail "the ${size}x$size icon is ${width}x$height"
done

desktop-file-validate "$share/applications/vesta.desktop" || fail "desktop-file-validate"
grep -qx 'Exec=vesta %F' "$share/applications/vesta.desktop" || fail "Exec is not 'vesta %F'"
appstreamcli validate --no-net "$metainfo" >/dev/null || {
  appstreamcli validate --no-net "$metainfo"
  fail "appstreamcli validate"
}
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"
xmllint --noout "$share/mime/packages/vesta.xml" || fail "xmllint on the MIME types"
# Every MIME type the desktop entry handles is defined.
for type in $(sed -n 's/^MimeType=//p' "$share/applications/vesta.desktop" | tr ';' ' '); do
  grep -q "<mime-type type=\"$type\"" "$share/mime/packages/vesta.xml" ||
    fail "the desktop entry handles $type, which the MIME types do not define"
done

# The MIME database built from the package finds the files by name, in any case, and by content.
if XDG_DATA_DIRS=$share update-mime-database "$share/mime" 2>"$prefix/mime.log"; then
  [ ! -s "$prefix/mime.log" ] || { cat "$prefix/mime.log"; fail "update-mime-database warned"; }
  for glob in 'application/x-vesta-library:\*\.lib' 'application/x-vesta-sysex:\*\.syx' \
              'application/x-vesta-global:\*\.glb'; do
    grep -q ":$glob\$" "$share/mime/globs2" || fail "no glob ${glob//\\/} in the MIME database"
  done
  # The magic file holds each rule as its type, offset and bytes.
  grep -aq 'application/x-vesta-sysex' "$share/mime/magic" || fail "no content rule for .Syx"
  grep -aq 'application/x-vesta-global' "$share/mime/magic" || fail "no content rule for .Glb"
else
  fail "update-mime-database"
fi

# Each program says the build's version.
for program in vesta vesta-cli vesta-instrument; do
  said=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/$program" --version 2>&1)
  [ "$said" = "$program $version" ] || fail "$program --version says '$said'"
done

# The manual pages render without a warning, and say each line of the programs' help (and
# vesta-cli's page each line of `vesta-cli help COMMAND`).
for program in vesta vesta-cli vesta-instrument; do
  page=$share/man/man1/$program.1
  [ -f "$page" ] || continue
  warnings=$(MANWIDTH=200 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man --warnings $program: $warnings"
  rendered=$(MANWIDTH=200 man -l "$page" 2>/dev/null | col -bx | tr -s ' \n' ' ')
  help=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/$program" --help 2>&1)
  if [ "$program" = vesta-cli ]; then
    # Its page holds each command's own help as well.
    for command in $("$prefix/bin/vesta-cli" help | sed -n 's/^  vesta-cli \([a-z][a-z-]*\).*/\1/p'); do
      [ "$command" = help ] || help+=$'\n'$("$prefix/bin/vesta-cli" help "$command" 2>&1)
    done
  fi
  while IFS= read -r line; do
    line=$(echo "$line" | tr -s ' ' ' ' | sed 's/^ //; s/ $//')
    # Headings and usage lines are set apart by the page: their words are checked, not layout.
    [[ -z $line || $line == Usage:* || $line == *: ]] && continue
    [[ $rendered == *"$line"* ]] || fail "$program(1) does not say: $line"
  done <<<"$help"
done

# The completion loads and completes commands and a command's options from the program.
completion=$share/bash-completion/completions/vesta-cli
PATH=$prefix/bin:$PATH bash -c '
  source "$1" || exit 1
  complete -p vesta-cli >/dev/null || { echo "no completion for vesta-cli"; exit 1; }
  COMP_WORDS=(vesta-cli inf); COMP_CWORD=1; _vesta_cli vesta-cli inf vesta-cli
  [ "${COMPREPLY[*]}" = info ] || { echo "vesta-cli inf<Tab> gives: ${COMPREPLY[*]}"; exit 1; }
  COMP_WORDS=(vesta-cli convert --t); COMP_CWORD=2; _vesta_cli vesta-cli --t convert
  [ "${COMPREPLY[*]}" = --to-xp ] || { echo "convert --t<Tab> gives: ${COMPREPLY[*]}"; exit 1; }
' bash "$completion" || fail "the bash completion"

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "installed and validated"
