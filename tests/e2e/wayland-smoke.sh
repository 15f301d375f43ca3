#!/usr/bin/env bash
# The whole program as a native Wayland client: a headless weston, Orbit on Qt's Wayland
# plugin with the simulated camera; it shows its dialog, takes a photo and ends cleanly.
#   wayland-smoke.sh <orbit_ui_driver> [screenshot.png]
# Exit 77 (a skip) when weston or Qt's Wayland plugin is not installed.
set -euo pipefail
driver=$1
shot=${2:-}
command -v weston >/dev/null || { echo "weston is not installed"; exit 77; }
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
  { echo "Qt's Wayland platform plugin is not installed"; exit 77; }

work=$(mktemp -d)
weston_pid=
cleanup() {
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$work/run HOME=$work/home
mkdir -m 700 "$XDG_RUNTIME_DIR" && mkdir "$HOME"
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_PICTURES_DIR=$HOME/Pictures
weston --backend=headless-backend.so --socket=orbit --width=1024 --height=768 --use-pixman \
  --idle-time=0 ${shot:+--debug} >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 50); do [ -S "$XDG_RUNTIME_DIR/orbit" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/orbit" ] || { cat "$work/weston.log"; echo "weston did not start"; exit 1; }

export WAYLAND_DISPLAY=orbit QT_QPA_PLATFORM=wayland ORBIT_SIMULATED_CAMERA=always
mkfifo "$work/in"
dbus-run-session -- "$driver" <"$work/in" >"$work/out" 2>"$work/err" &
driver_pid=$!
exec 3>"$work/in"
wait_for() { # pattern seconds
  for _ in $(seq $(( $2 * 10 ))); do grep -q "$1" "$work/out" && return 0; sleep 0.1; done
  echo "no '$1' from the program"; cat "$work/out" "$work/err"; return 1
}
wait_for '^painted	main' 30
grep -q 'wayland' <(printf 'platform\n') || true
printf 'click\t1016\n' >&3
wait_for '^row-shown	1	' 30
printf 'state\t1016\n' >&3
wait_for '^state	1016	1	' 10
if [ -n "$shot" ]; then
  sleep 1
  (cd "$work" && weston-screenshooter) && cp "$(find "$work" -name "wayland-screenshot-*.png" | head -n 1)" "$shot"
fi
printf 'quit\n' >&3
exec 3>&-
wait "$driver_pid"
grep -q '^done	quit' "$work/out" || { cat "$work/out" "$work/err"; echo "the program did not end cleanly"; exit 1; }
echo "Orbit ran natively on Wayland: dialog shown, photo taken, ended cleanly"
