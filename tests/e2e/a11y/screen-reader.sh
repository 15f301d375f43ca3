#!/usr/bin/env bash
# Orbit through a screen reader's eyes: the program on an accessibility bus of its own, under
# Xvfb, walked by screen_reader.py through AT-SPI in its three languages.
#   screen-reader.sh <orbit_ui_driver>
# Exit 77 (a skip) when the accessibility bus or its Python client is not installed.
set -euo pipefail
driver=$1
here=$(cd "$(dirname "$0")" && pwd)
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || { echo "at-spi2-core is not installed"; exit 77; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "python3-pyatspi is not installed"; exit 77; }
command -v xvfb-run >/dev/null || { echo "xvfb is not installed"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share \
  XDG_PICTURES_DIR=$work/home/Pictures XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
# The accessibility bus is found through the session bus, which dbus-run-session ends with us.
xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- bash -c '
  "$1" --launch-immediately 2>/dev/null &
  launcher=$!
  /usr/bin/python3 "$2" "$3"
  status=$?
  kill $launcher 2>/dev/null
  exit $status' _ "$launcher" "$here/screen_reader.py" "$driver"
