#!/usr/bin/env bash
# Runs atspi_test.py against the host program on a private Xvfb display inside its own D-Bus
# session. Exit 77 (skipped) with the reason when one of those cannot start.
# Usage: run_atspi_test.sh HOST-PROGRAM TEST-SCRIPT
set -u
host=${1:?usage: run_atspi_test.sh HOST-PROGRAM TEST-SCRIPT}
script=${2:?usage: run_atspi_test.sh HOST-PROGRAM TEST-SCRIPT}
skip() { echo "SKIPPED: $*"; exit 77; }

command -v Xvfb >/dev/null 2>&1 || skip "Xvfb is not installed (package xvfb)"
command -v dbus-run-session >/dev/null 2>&1 || skip "dbus-run-session is not installed (package dbus)"
launcher=
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
  [ -x "$candidate" ] && launcher=$candidate && break
done
[ -n "$launcher" ] || skip "at-spi-bus-launcher is not installed (package at-spi2-core)"
# The system's Python, which has the Debian package's bindings.
python=/usr/bin/python3
"$python" -c 'import pyatspi' 2>/dev/null || skip "pyatspi is missing (package python3-pyatspi)"

work=$(mktemp -d)
xvfb=
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.05
done
[ -s "$work/display" ] || skip "Xvfb did not start: $(tail -1 "$work/xvfb.log")"
export DISPLAY=":$(head -1 "$work/display")"
dbus-run-session -- true 2>/dev/null || skip "no D-Bus session could be started"
dbus-run-session -- "$python" "$script" "$host" "$launcher"
