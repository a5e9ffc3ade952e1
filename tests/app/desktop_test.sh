#!/usr/bin/env bash
# The clinic program end to end on a desktop of its own: a virtual X display (Xvfb) with the
# openbox window manager, driven by real mouse and key events (xdotool) as a cashier would:
# log in, charge a receipt (patient, doctor and item by their pinyin codes, the amount
# received), choose "设计" in the print prompt, retype the receipt title in place in the
# designer with the text tool, save, close the designer, charge a second receipt, preview it
# and save the preview's pages ("save prepared report", Ctrl+S) to a file. The checks read
# what the program wrote: the receipt rows in the database, the template file, the saved
# preview pages. Every step waits on a window or a state with a time bound; nothing waits
# for a fixed time.
#
#   desktop_test.sh <clinic program> <source folder>
#
# Needs Xvfb, openbox, xdotool, xprop, xwininfo and sqlite3 (tools/install-deps.sh). The
# display, the window manager, the program and a scratch folder are its own and go at the
# end. ROVE_SCREENSHOTS=<folder> keeps screenshots of the desktop: at the steps worth a
# look, and when a step fails.
set -Eeuo pipefail

clinic=$(realpath "${1:?clinic program}")
source_dir=$(realpath "${2:?source folder}")
# Seconds one step may take; generous, because the suite runs beside this test.
wait_seconds=${ROVE_DESKTOP_WAIT:-90}

work=$(mktemp -d "${TMPDIR:-/tmp}/rove-desktop-XXXXXX")
data=$work/data
map=$work/designer.map
xvfb_pid='' wm_pid='' clinic_pid=''
test_name='desktop test' shot_prefix=desktop
# shellcheck source=desktop_session.sh
source "$source_dir/tests/app/desktop_session.sh"

# --- The designer's screen map -------------------------------------------------------------

# map_rect <kind> <name>: "x y width height" of the entry.
map_rect() { awk -v k="$1" -v n="$2" '$1 == k && $2 == n { print $3, $4, $5, $6; found = 1 } END { exit !found }' "$map"; }
# The map describes the designer window where it is now (the window line equals the X
# window's client area below its menu bar) and holds both entries the edit needs.
map_current() {
  local win=$1 x y w h mx my mw mh
  [ -f "$map" ] || return 1
  map_rect control TextToolB >/dev/null && map_rect object MemoTest >/dev/null || return 1
  read -r mx my mw mh < <(awk '$1 == "window" { print $2, $3, $4, $5 }' "$map") || return 1
  x=$(xwininfo -id "$win" | awk '/Absolute upper-left X/ { print $4 }')
  y=$(xwininfo -id "$win" | awk '/Absolute upper-left Y/ { print $4 }')
  w=$(xwininfo -id "$win" | awk '/Width:/ { print $2 }')
  h=$(xwininfo -id "$win" | awk '/Height:/ { print $2 }')
  [ "$mx" = "$x" ] && [ "$mw" = "$w" ] && [ $((my + mh)) = $((y + h)) ]
}
# The centre of a map entry on the screen: "x y".
map_centre() {
  local x y w h
  read -r x y w h < <(map_rect "$1" "$2") || fail "no $1 $2 in the designer's screen map"
  echo $((x + w / 2)) $((y + h / 2))
}

# --- The desktop -------------------------------------------------------------------------

start_desktop

# --- The data folder: the installation's template, a new database with what a receipt needs

cp "$source_dir/app/reports/rove.bl3" "$data/rove.bl3"
# The program makes its database on the first start; it ends at the login window here.
(cd "$data" && ROVE_EXIT_AT_LOGIN_PAINT=1 "$clinic" >"$work/clinic.log" 2>&1) || fail "the first start failed"
[ -f "$data/Rove.mdb" ] || fail "the first start made no database"
sql "
  INSERT INTO tb_ks (科室名称) VALUES ('内科');
  INSERT INTO tb_doctor (姓名, 拼音码, 性别, 科室) VALUES ('李明', 'LM', '男', '内科');
  INSERT INTO tb_brzl (id, 姓名, 拼音码, 年龄, 性别) VALUES (1, '张三', 'ZS', '30', '男');
  UPDATE tb_brbh SET brbh = 1;
  INSERT INTO tb_yp (项目种类, 项目类型, 项目名称, 拼音码, 规格, 单位, 单价)
    VALUES ('检查项目', '检查费', '血常规', 'XCG', '次', '次', 12.5);"

(cd "$data" && exec "$clinic") >"$work/clinic.log" 2>&1 &
clinic_pid=$!

# --- Log in and open the charging window ----------------------------------------------------

wait_active '^岳梧门诊收费系统用户登陆$'
type_text tulvo
key Tab
type_text tulvo
shot login
key Return
wait_active '^岳梧门诊收费系统主界面$'
# "门诊收费" → "划价收费" from the keyboard: Alt opens the menu bar.
key alt Right Down Return

# charge <patient code> <doctor code> <item code> <quantity> <received> <receipts before>
# Charges one receipt in the charging window and waits for the print prompt ($window).
charge() {
  local before=$6
  wait_active '^岳梧门诊收费系统$'
  type_text "$1"; key Return
  type_text "$2"; key Return
  type_text "$3"; key Return
  type_text "$4"; key Return
  poll "receipt line" rows_are "select count(*) from tb_temp" 1
  # Enter on the empty item code: the start-charging prompt; its "确定" fills in the amount due.
  key Return
  wait_active '^提示$'
  key Return
  wait_active '^岳梧门诊收费系统$'
  type_text "$5"; key Return
  poll "saved receipt" rows_are "select count(distinct 票据号) from tb_sf" $((before + 1))
  wait_active '^提示$'
}

# --- The first receipt, and the title retyped in the designer -----------------------------------

charge zs lm xcg 2 30 0
prompt=$window
# A click on the charging window, disabled under the prompt, leaves the prompt above it (the
# prompt is the charging window's transient), and the keys still go to the prompt: the
# arrows move its choice from "打印" to "设计", Enter takes it.
charging=$(xdotool search --name '^岳梧门诊收费系统$' | head -n1)
click_in "$charging" 300 600
# above <upper> <lower>: the window manager stacks the first window above the second.
above() {
  xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | awk -v up="$(printf '0x%x' "$1")" -v low="$(printf '0x%x' "$2")" '
    { for (i = 1; i <= NF; i++) { if ($i == up) u = i; if ($i == low) l = i } }
    END { exit !(u && l && u > l) }'
}
is_active() { [ "$(active_window)" = "$1" ]; }
poll "activation of the charging window clicked" is_active "$charging"
above "$prompt" "$charging" || fail "the charging window clicked went over its print prompt"
shot owner-clicked
key Right Right Return
wait_active 'rove\.bl3'
designer=$window
poll "screen map of the designer" map_current "$designer"

# Letters of the keyboard map only: xdotool types any other character by mapping a spare
# key to it for the moment, which races with the program reading the map under load.
title='North Gate Clinic Receipt'
# shellcheck disable=SC2046
click_at $(map_centre control TextToolB)
memo=$(map_centre object MemoTest)
# shellcheck disable=SC2086
click_at $memo
type_text "$title"
shot designer-typing
# A press on the in-place editor ends the editing.
# shellcheck disable=SC2086
click_at $memo
key ctrl+s
saved_title() { grep -F 'Name="MemoTest"' "$data/rove.bl3" | grep -qF "Memo.Text=\"$title\""; }
poll "new title in the saved template" saved_title
shot designer-saved
key alt+x
poll "print prompt after the designer" active_matches '^提示$'
[ "$(active_window)" = "$prompt" ] || fail "the designer closed onto another window than the print prompt"
click_form "$prompt" PrintForm Button2        # 取消

# --- The second receipt, previewed and its pages saved ---------------------------------------

charge zs lm xcg 1 20 1
prompt=$window
click_form "$prompt" PrintForm RadioButton2   # 预览
click_form "$prompt" PrintForm Button1        # 确定
wait_active '^预览$'
preview=$window
key ctrl+s
not_preview() { local w; w=$(active_window) && [ "$w" != "$preview" ] && [ "$w" != "$prompt" ]; }
# The preview is active while it still prepares the pages, and refuses to save until they
# are there (its save button is greyed meanwhile): as a user would, the keys are pressed
# again every two seconds until the save dialog comes.
presses=0
save_dialog_up() {
  not_preview && return 0
  presses=$((presses + 1))
  if [ $((presses % 20)) = 0 ]; then key ctrl+s; fi
  return 1
}
poll "save dialog of the preview" save_dialog_up
type_text shown.bp3
key Return
pages_saved() { [ -f "$data/shown.bp3" ] && grep -q '</preparedreport>' "$data/shown.bp3"; }
poll "saved preview pages" pages_saved
poll "preview back in front" active_matches '^预览$'
shot preview
key Escape
wait_active '^岳梧门诊收费系统$'

# --- Another program's lock: a patient look-up and receipt lines refused, entered again -------

# The sqlite3 shell, a process of its own, takes the database's lock and keeps it until it is
# told to roll back. The charging window says why in its own words and keeps the entry; Enter
# again, once the lock is gone, does what was refused, once. The receipt charged so holds
# exactly its lines and amounts.
other_pid=''
other_program_holds() {
  rm -f "$work/other.in" "$work/other.out"
  mkfifo "$work/other.in"
  sqlite3 -batch "$data/Rove.mdb" <"$work/other.in" >"$work/other.out" 2>&1 &
  other_pid=$!
  exec 7>"$work/other.in"
  printf '%s\n.print held\n' "$1" >&7
  other_held() { grep -q '^held$' "$work/other.out"; }
  poll "the other program's lock" other_held
  ! grep -qi error "$work/other.out" || fail "the other program got no lock: $(cat "$work/other.out")"
}
other_program_ends() {
  printf 'ROLLBACK;\n' >&7
  exec 7>&-
  wait "$other_pid" 2>/dev/null || true
  other_pid=''
}
charging_active() { active_matches '^岳梧门诊收费系统$'; }
# refused <screenshot>: the program's message about the lock, closed with Enter.
refused() {
  wait_active '^提示$'
  shot "$1"
  key Return
  poll "charging window after the message" charging_active
}
locked_receipt() {
  local before=$1 other_writes="BEGIN IMMEDIATE; INSERT INTO tb_ks (科室名称) VALUES ('外科');"
  wait_active '^岳梧门诊收费系统$'
  # The patient looked up while the other program holds the database exclusively.
  other_program_holds "BEGIN EXCLUSIVE;"
  type_text zs; key Return
  refused lock-patient
  other_program_ends
  key Return
  type_text lm; key Return
  # A line while the other program writes.
  type_text xcg; key Return
  other_program_holds "$other_writes"
  type_text 3; key Return
  refused lock-line
  rows_are "select count(*) from tb_temp" 0 || fail "a refused line is in tb_temp"
  other_program_ends
  key Return
  poll "the line entered again" rows_are "select count(*) from tb_temp" 1
  # The save refused under the lock, and a line added while the lock still holds.
  key Return
  wait_active '^提示$'
  key Return
  poll "charging window after the start-charging prompt" charging_active
  other_program_holds "$other_writes"
  type_text 60; key Return
  refused lock-save
  click_form "$charging" ChargeForm Edit5
  type_text xcg; key Return
  type_text 1; key Return
  refused lock-line-after-save
  rows_are "select count(*) from tb_temp" 1 || fail "a refused line is in tb_temp"
  other_program_ends
  key Return
  poll "the second line entered again" rows_are "select count(*) from tb_temp" 2
  key Return
  wait_active '^提示$'
  key Return
  poll "charging window after the start-charging prompt" charging_active
  type_text 60; key Return
  poll "saved receipt" rows_are "select count(distinct 票据号) from tb_sf" $((before + 1))
  wait_active '^提示$'
  click_form "$window" PrintForm Button2        # 取消
  wait_active '^岳梧门诊收费系统$'
  local expected got
  expected="张三|李明|血常规|3.0|37.5|50.0|60.0|10.0|1
张三|李明|血常规|1.0|12.5|0.0|0.0|0.0|0"
  got=$(sql "select 病人姓名, 医生姓名, 项目名称, 数量, 单项累计, 应收金额, 实收金额, 应找金额, 统计标致 from tb_sf
             where 票据号 = (select max(票据号) from tb_sf) order by id")
  [ "$got" = "$expected" ] || fail "the receipt charged under the lock differs:
$got
expected:
$expected"
  rows_are "select count(*) from tb_temp" 0 || fail "tb_temp is not empty after the save"
  rows_are "select count(*) from tb_ks where 科室名称 = '外科'" 0 || fail "the other program's row stayed"
}
locked_receipt 2

# --- Two items under one code: the candidate list, taken with Enter, Enter ---------------------

# "qms" finds two items: the item candidate window opens with the search field focused. The
# cashier's first Enter takes the keyboard to the list, the second takes its first row, and
# the quantity typed ahead meanwhile reaches the quantity field. Keys 50 to 250 ms apart, as
# a cashier types them.
candidate_enter_enter() {
  sql "
    INSERT INTO tb_yp (项目种类, 项目类型, 项目名称, 拼音码, 规格, 单位, 单价)
      VALUES ('检查项目', '治疗费', '青霉素皮试', 'QMS', '次', '次', 3);
    INSERT INTO tb_yp (项目种类, 项目类型, 项目名称, 拼音码, 规格, 单位, 单价)
      VALUES ('检查项目', '治疗费', '青霉素注射', 'QMSZS', '次', '次', 5);"
  wait_active '^岳梧门诊收费系统$'
  type_text zs; key Return
  type_text lm; key Return
  local delay lines=0
  for delay in 50 250 120; do
    # "qms" Enter opens the list; Enter Enter 2 Enter are typed ahead into it.
    xdotool key --delay "$delay" q m s Return Return Return 2 Return
    lines=$((lines + 1))
    poll "a line of quantity 2 taken from the candidate list ($delay ms)" \
      rows_are "select count(*), printf('%g', sum(数量)) from tb_temp" "$lines|$((lines * 2))"
  done
  shot candidate-enter-enter
  # The charging window closes after its question on the lines left ("确定" drops them),
  # and opens again for what follows.
  key alt+F4
  wait_active '^提示$'
  key Return
  wait_active '^岳梧门诊收费系统主界面$'
  key alt Right Down Return
  wait_active '^岳梧门诊收费系统$'
}
candidate_enter_enter

# --- Leave: the charging window, then the main window (no backup) ----------------------------

key alt+F4
wait_active '^岳梧门诊收费系统主界面$'
key alt+F4
wait_active '^提示$' # "退出系统前是否备份数据?"
key Escape
ended() { ! clinic_running; }
end=$((SECONDS + wait_seconds))
until ended; do
  [ "$SECONDS" -lt "$end" ] || fail "the program did not end"
  sleep 0.1
done
status=0
wait "$clinic_pid" || status=$?
clinic_pid=''
[ "$status" = 0 ] || fail "the program ended with status $status"

# --- What the program wrote ----------------------------------------------------------------

receipts=$(sql "select 票据号 from tb_sf order by id limit 2")
first=$(sed -n 1p <<<"$receipts")
second=$(sed -n 2p <<<"$receipts")
[ "$(wc -l <<<"$receipts")" = 2 ] || fail "two receipt rows expected, found: $receipts"
[ $((10#$second)) = $((10#$first + 1)) ] || fail "the second receipt $second does not follow $first"
expected="张三|李明|血常规|2.0|25.0|30.0|5.0
张三|李明|血常规|1.0|12.5|20.0|7.5"
got=$(sql "select 病人姓名, 医生姓名, 项目名称, 数量, 应收金额, 实收金额, 应找金额 from tb_sf order by id limit 2")
[ "$got" = "$expected" ] || fail "receipt rows differ:
$got
expected:
$expected"
# The preview showed the second receipt with the new title, and no longer the old one.
page=$(sed -n 's:.*<page0>\(.*\)</page0>.*:\1:p' "$data/shown.bp3")
[ -n "$page" ] || fail "the saved preview pages hold no page"
grep -qF "x=\"$title\"" <<<"$page" || fail "the previewed receipt does not show the title \"$title\""
grep -qF "x=\"NO:$second\"" <<<"$page" || fail "the previewed receipt is not receipt $second"
! grep -qF 'x="XXX医院门诊收费结算收据"' <<<"$page" || fail "the previewed receipt still shows the old title"
echo "desktop test: passed (receipts $first and $second, title \"$title\")"
