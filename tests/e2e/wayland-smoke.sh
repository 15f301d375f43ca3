#!/usr/bin/env bash
# The whole program on a Wayland desktop: a headless weston, Orbit with the simulated camera,
# natively on Qt's Wayland plugin and, where Xwayland is installed, as an X11 client through
# XWayland. Each time it shows its dialog, takes a photo, hides and shows its list (the window
# changes size), opens the settings sheet over itself and closes it, fills the screen with the
# presenter view (a double-click on the preview), takes a photo there with Enter and leaves it
# with Esc, and ends cleanly.
#   wayland-smoke.sh <orbit_ui_driver> [screenshot.png]   (the screenshot: the native run)
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
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
xwayland=
command -v Xwayland >/dev/null && xwayland=--xwayland
weston --backend=headless-backend.so --socket=orbit --width=1024 --height=768 --use-pixman \
  --idle-time=0 --debug $xwayland >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 50); do [ -S "$XDG_RUNTIME_DIR/orbit" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/orbit" ] || { cat "$work/weston.log"; echo "weston did not start"; exit 1; }
export WAYLAND_DISPLAY=orbit ORBIT_SIMULATED_CAMERA=always

# run <Qt platform> [screenshot]
run() {
  local platform=$1 picture=${2:-} home=$work/home-$1
  mkdir -p "$home"
  rm -f "$work/in" "$work/out" "$work/err"
  mkfifo "$work/in"
  HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
    XDG_PICTURES_DIR=$home/Pictures QT_QPA_PLATFORM=$platform \
    dbus-run-session -- "$driver" <"$work/in" >"$work/out" 2>"$work/err" &
  local pid=$!
  exec 3>"$work/in"
  wait_for() { # pattern seconds
    for _ in $(seq $(( $2 * 10 ))); do grep -q "$1" "$work/out" && return 0; sleep 0.1; done
    echo "$platform: no '$1' from the program"; cat "$work/out" "$work/err"; return 1
  }
  wait_for '^painted	main' 30
  printf 'click\t1016\n' >&3
  wait_for '^row-shown	1	' 30
  printf 'state\t1016\n' >&3
  wait_for '^state	1016	1	' 10
  # The list toggle resizes the window to its other background and back.
  printf 'click\t1022\nstate\t1000\n' >&3
  wait_for '^state	1000	0	' 10
  printf 'click\t1022\n' >&3
  # The settings sheet opens over it, modal, and Cancel closes it.
  printf 'click\t1020\nmodal\n' >&3
  wait_for '^modal	COstUI_Orbit_SettingPropSheet	' 10
  printf 'click\t2\nstate\t1000\n' >&3
  wait_for '^state	1000	1	' 10
  # The presenter view fills the screen; Enter takes a photo from it and Esc leaves it.
  printf 'dclick\t1004\nstate\tpresenter\n' >&3
  wait_for '^state	presenter	1	' 10
  printf 'key\tpresenter\tReturn\n' >&3
  wait_for '^row-shown	2	' 30
  printf 'key\tpresenter\tEsc\n' >&3
  # Asked again until it is gone: the key may still wait for the window to be active.
  for _ in $(seq 50); do
    printf 'state\tpresenter\n' >&3
    sleep 0.2
    grep -q '^state	presenter	0	' "$work/out" && break
  done
  wait_for '^state	presenter	0	' 1
  if [ -n "$picture" ]; then
    sleep 1
    (cd "$work" && weston-screenshooter) && cp "$(find "$work" -name 'wayland-screenshot-*.png' | head -n 1)" "$picture"
  fi
  printf 'quit\n' >&3
  exec 3>&-
  wait "$pid"
  grep -q '^done	quit' "$work/out" || { cat "$work/out" "$work/err"; echo "$platform: the program did not end cleanly"; exit 1; }
  echo "$platform: dialog shown, photo taken, list hidden and shown, sheet opened and closed, full screen entered, photo taken there and left, ended cleanly"
}

run wayland "$shot"
if [ -n "$xwayland" ]; then
  display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log" | head -n 1)
  [ -n "$display" ] || { cat "$work/weston.log"; echo "XWayland did not start"; exit 1; }
  DISPLAY=$display run xcb
fi
