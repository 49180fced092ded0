#!/usr/bin/env bash
# Runs a command on a private X server (Xvfb chooses a free display itself) through Qt's xcb
# platform: what a real desktop does that the offscreen platform does not.
set -euo pipefail
dir=$(mktemp -d)
xvfb=
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$dir"
}
trap cleanup EXIT
mkfifo "$dir/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" 2>"$dir/log" &
xvfb=$!
if ! read -r -t 60 number <"$dir/display"; then
  echo "Xvfb did not start:" >&2
  cat "$dir/log" >&2
  exit 1
fi
DISPLAY=":$number" QT_QPA_PLATFORM=xcb "$@"
