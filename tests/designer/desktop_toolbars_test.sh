#!/usr/bin/env bash
# The designer's tool bars dragged with the real mouse on a desktop of its own (Xvfb with
# the openbox window manager, xdotool), as a user drags them: the clinic program is logged
# into, a receipt charged and its template opened from the print prompt's "设计"; the
# standard bar is dragged down a row in steps of a few pixels, the text bar by its grip onto
# the right dock and back into a row of the top dock; the designer is closed and opened
# again. The checks read the designer's screen map (where the bars, the text bar's buttons
# and boxes stand on the screen) after every drag, and the settings file after the close.
#
#   desktop_toolbars_test.sh <clinic program> <source folder>
#
# Needs Xvfb, openbox, xdotool, xprop, xwininfo and sqlite3 (tools/install-deps.sh).
# ROVE_SCREENSHOTS=<folder> keeps screenshots of the desktop after the drags, and when a step
# fails.
set -Eeuo pipefail

clinic=$(realpath "${1:?clinic program}")
source_dir=$(realpath "${2:?source folder}")
wait_seconds=${ROVE_DESKTOP_WAIT:-90}

work=$(mktemp -d "${TMPDIR:-/tmp}/rove-toolbars-XXXXXX")
data=$work/data
map=$work/designer.map
xvfb_pid='' wm_pid='' clinic_pid=''
test_name='desktop tool bar test' shot_prefix=toolbars
# shellcheck source=../app/desktop_session.sh
source "$source_dir/tests/app/desktop_session.sh"

# --- The screen map --------------------------------------------------------------------

# rect <kind> <name>: "x y width height" of the entry now (fails when there is none).
rect() { awk -v k="$1" -v n="$2" '$1 == k && $2 == n { print $3, $4, $5, $6; found = 1 } END { exit !found }' "$map" 2>/dev/null; }
has() { rect "$1" "$2" >/dev/null; }
# The map shows the designer window where the X window is now.
map_current() {
  local win=$1 mx my mw mh x w
  [ -f "$map" ] && has bar StandardTB || return 1
  read -r mx my mw mh < <(awk '$1 == "window" { print $2, $3, $4, $5 }' "$map") || return 1
  x=$(xwininfo -id "$win" | awk '/Absolute upper-left X/ { print $4 }')
  w=$(xwininfo -id "$win" | awk '/Width:/ { print $2 }')
  [ "$mx" = "$x" ] && [ "$mw" = "$w" ]
}
# bar_is <name> <x> <y> <width> <height>: the bar stands there (any field "-" is not checked).
bar_is() {
  local name=$1 r i
  r=($(rect bar "$name")) || return 1
  shift
  for i in 0 1 2 3; do
    local want=${1:--}
    shift || true
    [ "$want" = - ] || [ "${r[$i]}" = "$want" ] || return 1
  done
}
# The text bar lies as a row: no button of it lies under a box, each lies inside the bar.
text_row_ok() {
  awk '
    $1 == "bar" && $2 == "TextTB" { bx = $3; bw = $5 }
    $1 == "tool" { n++; name[n] = $2; x[n] = $3; y[n] = $4; w[n] = $5; h[n] = $6
                   box[n] = ($2 ~ /CB$/) }
    END {
      if (!bw) exit 1
      for (i = 1; i <= n; i++) {
        if (box[i]) continue
        if (x[i] < bx || x[i] + w[i] > bx + bw) { print "outside: " name[i] > "/dev/stderr"; bad = 1 }
        for (j = 1; j <= n; j++)
          if (box[j] && x[i] < x[j] + w[j] && x[j] < x[i] + w[i] && y[i] < y[j] + h[j] && y[j] < y[i] + h[i]) {
            print name[i] " under " name[j] > "/dev/stderr"; bad = 1 }
      }
      exit bad
    }' "$map"
}
# The places of the bars and the text bar's buttons, as the map says (one per line).
places() { grep -E '^(bar|tool) ' "$map" | sort; }

# drag <from x> <from y> <to x> <to y> <steps>: the left button pressed at the first screen
# point, the mouse moved in steps with it held, let go at the last.
drag() {
  local x0=$1 y0=$2 x1=$3 y1=$4 n=$5 i
  xdotool mousemove "$x0" "$y0"
  sleep 0.2
  xdotool mousedown 1
  for ((i = 1; i <= n; i++)); do
    xdotool mousemove $((x0 + (x1 - x0) * i / n)) $((y0 + (y1 - y0) * i / n))
    sleep 0.1
  done
  sleep 0.2
  xdotool mouseup 1
}
# The middle of a bar's grip on the screen: "x y".
grip() {
  local r
  r=($(rect bar "$1")) || fail "no bar $1 in the screen map"
  echo $((r[0] + 4)) $((r[1] + 4))
}

# --- The desktop and the program ----------------------------------------------------------

start_desktop

cp "$source_dir/app/reports/rove.bl3" "$data/rove.bl3"
(cd "$data" && ROVE_EXIT_AT_LOGIN_PAINT=1 "$clinic" >"$work/clinic.log" 2>&1) || fail "the first start failed"
sql "
  INSERT INTO tb_ks (科室名称) VALUES ('内科');
  INSERT INTO tb_doctor (姓名, 拼音码, 性别, 科室) VALUES ('李明', 'LM', '男', '内科');
  INSERT INTO tb_brzl (id, 姓名, 拼音码, 年龄, 性别) VALUES (1, '张三', 'ZS', '30', '男');
  UPDATE tb_brbh SET brbh = 1;
  INSERT INTO tb_yp (项目种类, 项目类型, 项目名称, 拼音码, 规格, 单位, 单价)
    VALUES ('检查项目', '检查费', '血常规', 'XCG', '次', '次', 12.5);"
(cd "$data" && exec "$clinic") >"$work/clinic.log" 2>&1 &
clinic_pid=$!

wait_active '^岳梧门诊收费系统用户登陆$'
type_text tulvo; key Tab; type_text tulvo; key Return
wait_active '^岳梧门诊收费系统主界面$'
key alt Right Down Return
wait_active '^岳梧门诊收费系统$'
type_text zs; key Return
type_text lm; key Return
type_text xcg; key Return
type_text 1; key Return
poll "receipt line" rows_are "select count(*) from tb_temp" 1
key Return
wait_active '^提示$'
key Return
wait_active '^岳梧门诊收费系统$'
type_text 20; key Return
poll "saved receipt" rows_are "select count(distinct 票据号) from tb_sf" 1
wait_active '^提示$'
prompt=$window

open_designer() {
  rm -f "$map"
  click_form "$prompt" PrintForm RadioButton3   # 设计
  click_form "$prompt" PrintForm Button1        # 确定
  wait_active 'rove\.bl3'
  designer=$window
  poll "screen map of the designer" map_current "$designer"
  sleep 0.5   # the window's first layout settles
}
open_designer

# --- The standard bar down one row, in steps of ten pixels ----------------------------------

read -r sx sy sw sh < <(rect bar StandardTB)
read -r tx ty tw th < <(rect bar TextTB)
read -r fx fy fw fh < <(rect bar FrameTB)
[ "$ty" -gt "$sy" ] || fail "the text bar is not in the row under the standard bar"
read -r gx gy < <(grip StandardTB)
drag "$gx" "$gy" "$gx" $((gy + 30)) 3
# Its row closed: it stands in the first row now, after the frame bar.
standard_down() { bar_is StandardTB $((fx + fw)) "$sy" "$sw" "$sh" && bar_is TextTB "$tx" "$sy" && bar_is FrameTB "$fx" "$sy"; }
poll "standard bar beside the frame bar" standard_down

# --- The text bar onto the right dock and back into a row -----------------------------------

designed_text=$(grep -E '^tool ' "$map" | awk -v x="$tx" '{ print $2, $3 - x, $5, $6 }' | sort)
read -r gx gy < <(grip TextTB)
read -r wx wy ww wh < <(awk '$1 == "window" { print $2, $3, $4, $5 }' "$map")
# Torn off past the dock's start, the float window carried onto the right edge.
drag "$gx" "$gy" $((wx + ww - 1)) $((wy + 200)) 8
text_column() { local r; r=($(rect bar TextTB)) && [ "${r[2]}" -lt "${r[3]}" ] && [ $((r[0] + r[2])) -ge $((wx + ww - 4)) ]; }
poll "text bar as a column on the right dock" text_column
shot right-dock
# Torn off the right dock upward and carried in the same drag under the top dock (onto its
# lower edge, below the row of the standard and frame bars), then along to the start.
read -r gx gy < <(grip TextTB)
read -r sx sy sw sh < <(rect bar StandardTB)
under=$((sy + sh))
xdotool mousemove "$gx" "$gy"; sleep 0.2; xdotool mousedown 1
for y in $((gy - 10)) $((gy - 60)) $((sy - 10)); do xdotool mousemove "$gx" "$y"; sleep 0.1; done
for x in 1200 800 400 200; do xdotool mousemove "$x" $((under - 40)); sleep 0.1; done
xdotool mousemove 200 "$under"; sleep 0.2
for x in 150 100 50 "$wx"; do xdotool mousemove "$x" "$under"; sleep 0.1; done
sleep 0.2
xdotool mouseup 1
text_back() { bar_is TextTB "$wx" $((sy + sh)) "$tw" "$th" && text_row_ok 2>/dev/null; }
poll "text bar back in a row with every button beside its boxes" text_back
now_text=$(grep -E '^tool ' "$map" | awk -v x="$wx" '{ print $2, $3 - x, $5, $6 }' | sort)
[ "$now_text" = "$designed_text" ] || fail "the text bar's buttons moved:
$now_text
designed:
$designed_text"
shot text-back-in-a-row
before=$(places)

# --- Closed and opened again --------------------------------------------------------------

key alt+x
poll "print prompt after the designer" active_matches '^提示$'
settings=$(grep -rlE 'ToolBar\.TextTB\]$' "$work/settings" 2>/dev/null | head -n1 || true)
[ -n "$settings" ] || fail "no settings file holds the tool bars' places"
# value <bar> <key>: what the settings file holds (its sections end in "ToolBar.<bar>]").
value() {
  awk -F= -v s="ToolBar.$1]" -v k="$2" '
    /^\[/ { in_s = substr($0, length($0) - length(s) + 1) == s; next }
    in_s && $1 == k { print $2 }' "$settings"
}
[ "$(value StandardTB Left)" = "$((fx + fw - wx))" ] || fail "StandardTB stored at Left=$(value StandardTB Left)"
[ "$(value StandardTB Top)" = 0 ] || fail "StandardTB stored at Top=$(value StandardTB Top)"
[ "$(value TextTB Top)" = "$sh" ] || fail "TextTB stored at Top=$(value TextTB Top)"
[ "$(value TextTB Left)" = 0 ] || fail "TextTB stored at Left=$(value TextTB Left)"
[ "$(value TextTB Dock)" = DockTop ] || fail "TextTB stored in dock $(value TextTB Dock)"
[ "$(value TextTB Width)" = "$tw" ] || fail "TextTB stored $(value TextTB Width) wide"
open_designer
same_places() { [ "$(places)" = "$before" ]; }
poll "the bars and buttons where they were" same_places
shot reopened
key alt+x
poll "print prompt after the designer" active_matches '^提示$'
click_form "$prompt" PrintForm Button2        # 取消
wait_active '^岳梧门诊收费系统$'
key alt+F4
wait_active '^岳梧门诊收费系统主界面$'
key alt+F4
wait_active '^提示$'
key Escape
end=$((SECONDS + wait_seconds))
while clinic_running; do
  [ "$SECONDS" -lt "$end" ] || fail "the program did not end"
  sleep 0.1
done
wait "$clinic_pid" || fail "the program ended with an error"
clinic_pid=''
echo "desktop tool bar test: passed"
