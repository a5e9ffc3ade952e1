# What the desktop tests share: a virtual display of their own (Xvfb) with the openbox window
# manager, the program's environment on it, waiting, failing with what the desktop showed,
# screenshots, windows, keys, clicks on the controls of a form resource, and the database.
# Sourced by a test that has set:
#   test_name    the test's name in its messages ("desktop test")
#   shot_prefix  the screenshots' file name prefix ("desktop")
#   work, data   its scratch folder and the program's data folder in it
#   map          the designer's screen map file
#   source_dir   the source folder; wait_seconds, the seconds one step may take
# and clinic_pid, xvfb_pid, wm_pid as '' (the processes stopped at the end).

stop() {
  local pid=$1
  [ -n "$pid" ] || return 0
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}
cleanup() {
  stop "$clinic_pid"
  stop "$wm_pid"
  stop "$xvfb_pid"
  rm -rf "$work"
}
trap cleanup EXIT

for tool in Xvfb openbox xdotool xprop xwininfo sqlite3; do
  command -v "$tool" >/dev/null || { echo "$test_name: $tool is missing (tools/install-deps.sh)" >&2; exit 1; }
done

# --- Waiting and failing ---------------------------------------------------------------

windows() {
  local w
  for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    echo "  $w $(xdotool getwindowname "$w" 2>/dev/null)"
  done
}
fail() {
  trap - ERR
  set +e
  echo "$test_name: $*" >&2
  if [ -n "${DISPLAY:-}" ]; then
    echo "windows shown:" >&2
    windows >&2 || true
    echo "active: $(xdotool getactivewindow getwindowname 2>/dev/null || echo none)" >&2
    local w
    if w=$(active_window); then
      xwininfo -id "$w" 2>/dev/null | grep -E 'Absolute|Width|Height' | sed 's/^ */  /' >&2
    fi
    [ -f "$map" ] && { echo "designer's screen map:"; grep -E '^(window|bar)' "$map" | sed 's/^/  /'; } >&2
    shot failure
  fi
  [ -f "$work/clinic.log" ] && sed 's/^/  program: /' "$work/clinic.log" >&2
  exit 1
}
# shot <name>: a screenshot of the desktop into ROVE_SCREENSHOTS, when it is set.
shot() {
  [ -n "${ROVE_SCREENSHOTS:-}" ] && command -v import >/dev/null || return 0
  mkdir -p "$ROVE_SCREENSHOTS"
  import -window root "$ROVE_SCREENSHOTS/$shot_prefix-$1.png" 2>/dev/null || true
}
# A command that fails where nothing expects it ends the test with its line.
trap 'fail "line $LINENO failed: $BASH_COMMAND"' ERR
clinic_running() { [ -n "$clinic_pid" ] && kill -0 "$clinic_pid" 2>/dev/null; }
# poll <what> <command...>: runs the command every tenth of a second until it succeeds.
poll() {
  local what=$1
  shift
  local end=$((SECONDS + wait_seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || fail "no $what within $wait_seconds seconds"
    if [ -n "$clinic_pid" ] && ! clinic_running; then fail "the program ended while waiting for $what"; fi
    sleep 0.1
  done
}

# --- Windows -----------------------------------------------------------------------------

active_window() { xdotool getactivewindow 2>/dev/null; }
active_name() { xdotool getactivewindow getwindowname 2>/dev/null; }
# Succeeds when the active window's title matches the extended regular expression and the
# window holds the keyboard focus too: the window manager names the active window before
# the program has taken the focus, and a key typed in between goes to the window before.
active_matches() {
  local name active focus
  name=$(active_name) || return 1
  [[ $name =~ $1 ]] || return 1
  active=$(active_window) || return 1
  focus=$(xdotool getwindowfocus -f 2>/dev/null) || return 1
  [ "$focus" = "$active" ]
}
# wait_active <title regex>: waits until such a window is active; its id goes to $window.
window=''
wait_active() {
  poll "active window \"$1\"" active_matches "$1"
  window=$(active_window)
}
# Clicks at a point of a window's client area.
click_in() { xdotool mousemove --window "$1" "$2" "$3" click 1; }
click_at() { xdotool mousemove "$1" "$2" click 1; }
type_text() { xdotool type --delay 15 -- "$1"; }
key() { xdotool key "$@"; }

# The centre of a control of a form resource (Left, Top, Width and Height of the object of
# that name), in the form's client coordinates: "x y".
form_point() {
  awk -v name="$2" '
    $1 == "object" && $2 == name ":" { inside = 1; next }
    inside && $1 == "Left" { l = $3 } inside && $1 == "Top" { t = $3 }
    inside && $1 == "Width" { w = $3 } inside && $1 == "Height" { h = $3 }
    inside && ($1 == "end" || $1 == "object") { exit }
    END { if (w == "" || h == "") exit 1; printf "%d %d\n", l + w / 2, t + h / 2 }
  ' "$source_dir/app/forms/$1.dfm"
}
click_form() {
  local p
  p=$(form_point "$2" "$3") || fail "no control $3 in $2.dfm"
  # shellcheck disable=SC2086
  click_in "$1" $p
}

# --- The database ------------------------------------------------------------------------

sql() { sqlite3 -batch -cmd ".timeout 5000" "$data/Rove.mdb" "$1"; }
rows_are() { [ "$(sql "$1" 2>/dev/null)" = "$2" ]; }

# --- The desktop -------------------------------------------------------------------------

# start_desktop: the display and the window manager, the program's home, settings and
# runtime folders in the scratch folder, and Qt on the display.
start_desktop() {
  Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  display_ready() { [ -s "$work/display" ] && grep -q '^[0-9]' "$work/display"; }
  poll "virtual display" display_ready
  DISPLAY=:$(head -n1 "$work/display")
  export DISPLAY
  mkdir -p "$work/home" "$work/run" "$work/settings" "$data"
  chmod 700 "$work/run"
  export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_CACHE_HOME=$work/home/.cache
  export XDG_RUNTIME_DIR=$work/run ROVE_SETTINGS_DIR=$work/settings
  unset SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS
  openbox >"$work/openbox.log" 2>&1 &
  wm_pid=$!
  wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
  poll "window manager" wm_ready
  export QT_QPA_PLATFORM=xcb
  export ROVE_DESIGNER_SCREEN_MAP=$map
}
