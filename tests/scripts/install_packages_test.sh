#!/usr/bin/env bash
# Runs the set-up's install step with stand-ins for dpkg-query, apt-get, sudo and id as the only
# commands on PATH (beside bash and grep), one package reported missing, and checks the exact
# commands it ran: as root, as another user with and without sudo, and with nothing missing.
# Then runs setup.sh itself with a stand-in cmake: the install comes before the build.
# Usage: install_packages_test.sh SOURCE-DIR
set -uo pipefail
source_dir=$(cd "${1:?usage: install_packages_test.sh SOURCE-DIR}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bin=$work/bin
log=$work/commands.log
mkdir -p "$bin"
ln -s "$(command -v bash)" "$bin/bash"
for tool in grep dirname; do ln -s "$(command -v $tool)" "$bin/$tool"; done

# Every stand-in appends the command line it was given to the log. apt-get also notes
# DEBIAN_FRONTEND: it must reach apt-get, whether directly or through sudo -E.
stand_in() {
  printf '#!%s\n%s\n' "$bin/bash" "$2" >"$bin/$1"
  chmod +x "$bin/$1"
}
stand_in dpkg-query '
pkg=${!#}
if [ "$pkg" = "$FAKE_MISSING" ]; then echo "unknown ok not-installed"; exit 1; fi
printf "install ok installed"'
stand_in apt-get 'echo "apt-get $* (DEBIAN_FRONTEND=${DEBIAN_FRONTEND:-unset})" >>"$FAKE_LOG"'
stand_in sudo 'echo "sudo $*" >>"$FAKE_LOG"'
stand_in id '[ "$1" = -u ] && echo "$FAKE_UID"'
stand_in cmake 'echo "cmake $*" >>"$FAKE_LOG"'
stand_in nproc 'echo 2'

failures=0
# check NAME UID MISSING SUDO(yes/no) EXPECTED-STATUS EXPECTED-LOG [SCRIPT ARGUMENTS...]
check() {
  local name=$1 uid=$2 missing=$3 sudo=$4 status=$5 expected=$6
  shift 6
  [ $# -gt 0 ] || set -- "$source_dir/scripts/install-packages.sh"
  local hidden=$work/sudo.hidden
  [ "$sudo" = yes ] || mv "$bin/sudo" "$hidden"
  : >"$log"
  local output
  output=$(env -i PATH="$bin" FAKE_UID="$uid" FAKE_MISSING="$missing" FAKE_LOG="$log" \
    "$bin/bash" "$@" 2>&1)
  local got=$?
  [ "$sudo" = yes ] || mv "$hidden" "$bin/sudo"
  local ran
  ran=$(cat "$log")
  if [ "$got" -ne "$status" ] || [ "$ran" != "$expected" ]; then
    echo "FAIL: $name"
    echo "  exit status $got, expected $status; output:"
    echo "$output" | sed 's/^/    /'
    echo "  ran:"
    echo "$ran" | sed 's/^/    /'
    echo "  expected:"
    echo "$expected" | sed 's/^/    /'
    failures=$((failures + 1))
  else
    echo "ok: $name"
  fi
}

check "root installs the missing package with apt-get directly" 0 ccache yes 0 \
"apt-get update -qq (DEBIAN_FRONTEND=noninteractive)
apt-get install -y -qq --no-install-recommends ccache (DEBIAN_FRONTEND=noninteractive)"

check "another user installs it through sudo, keeping the environment" 1000 ccache yes 0 \
"sudo -E apt-get update -qq
sudo -E apt-get install -y -qq --no-install-recommends ccache"

check "another user without sudo is told why, and nothing runs" 1000 ccache no 1 ""

check "nothing missing runs nothing, even without sudo" 1000 none no 0 ""

check "setup.sh installs first, then configures and builds" 0 qt6-base-dev yes 0 \
"apt-get update -qq (DEBIAN_FRONTEND=noninteractive)
apt-get install -y -qq --no-install-recommends qt6-base-dev (DEBIAN_FRONTEND=noninteractive)
cmake -S $source_dir -B $work/build -G Ninja -DX=1
cmake --build $work/build --parallel 2" \
  "$source_dir/scripts/setup.sh" "$work/build" -DX=1

[ "$failures" -eq 0 ] || { echo "$failures failed"; exit 1; }
