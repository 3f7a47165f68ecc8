#!/usr/bin/env bash
# Builds the Debian package into a temporary folder and checks it: named for the build's version,
# its dependencies found by dpkg-shlibdeps (Qt and RtMidi among them, no test or build library),
# installing under /usr what `cmake --install` installs, with no path of the build compiled in.
# Usage: package_test.sh BUILD-DIR VERSION
set -uo pipefail
build=${1:?usage: package_test.sh BUILD-DIR VERSION}
version=${2:?usage: package_test.sh BUILD-DIR VERSION}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 || {
  cat "$work/cpack.log"
  echo "FAIL: cpack"
  exit 1
}
deb=$work/vesta_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { ls "$work"; echo "FAIL: no $(basename "$deb")"; exit 1; }

[ "$(dpkg-deb -f "$deb" Package)" = vesta ] || fail "the package is not named vesta"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 librtmidi6 libstdc++6 \
               qt6-qpa-plugins; do
  [[ $depends == *"$package"* ]] || fail "the package does not depend on $package: $depends"
done
[[ $depends != *gtest* && $depends != *benchmark* ]] || fail "a test library in: $depends"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in ./usr/bin/vesta ./usr/bin/vesta-cli ./usr/bin/vesta-instrument \
            ./usr/share/applications/vesta.desktop ./usr/share/mime/packages/vesta.xml \
            ./usr/share/man/man1/vesta-cli.1 ./usr/share/bash-completion/completions/vesta-cli \
            ./usr/share/icons/hicolor/scalable/apps/vesta.svg; do
  grep -qx -- "$file" <<<"$contents" || fail "the package lacks $file"
done

# The installed programs find what they need without the build or source folders: neither path
# is compiled into them (the help pages and "Names.Txt" are resources inside).
dpkg-deb -x "$deb" "$work/root"
source_dir=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build/CMakeCache.txt")
for program in vesta vesta-cli vesta-instrument; do
  for path in "$(cd "$build" && pwd)" "$source_dir"; do
    ! grep -qaF -- "$path" "$work/root/usr/bin/$program" || fail "$program holds the path $path"
  done
done

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "packaged: $(basename "$deb"), depends on $depends"
