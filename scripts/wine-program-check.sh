#!/usr/bin/env bash
# The real Windows program (the deployable folder of scripts/build-windows.sh)
# under Wine 10 (Debian 13's, in the tree of scripts/trixie-tree.sh; the
# machine's own Wine with AIS_WINE=host), on Xvfb, in prefixes that read as
# Windows 10, one per case:
#   services    start-up check and hand-back through the Windows backend,
#               against four stand-in services with the real names
#               (sim/win/standinsvc.cpp) and a running service that depends
#               on one of them;
#   bootloader  a whole upgrade of a device already in bootloader mode, run
#               from a program folder whose name lies outside the ANSI code
#               page: the volume "AIS B CS" is drive X: (a folder with
#               READY.txt) whose raw device \\.\X: is a FAT16 image made by
#               mkfs.fat; the report exported from the program;
#   planted     the program elevated and started from a folder an ordinary
#               user writes to, a cmd.exe that leaves a marker
#               (sim/win/plantedcmd.cpp) planted there and in the program's
#               own folder: the report exported in bootloader mode lists the
#               volume through the system folder's cmd.exe, and neither
#               planted copy runs;
#   serial      a whole upgrade in normal mode: the simulated transponder
#               (sim/transponder) on Wine's COM5, recorded in the registry the
#               way Windows' Plug and Play manager records a USB serial
#               device; Start identifies it, Next switches it to its
#               bootloader and the image is copied; the simulator's power
#               cycle brings it back and the wizard confirms the new version;
#               a second run, with a device that keeps its old firmware, ends
#               with "not taken";
#   scaling     the window at 150 % and 200 %;
#   language    with a German and then a Japanese user locale and no
#               setting of the program's own, the program gets Windows'
#               display language and starts in it (both languages ship:
#               a build without one fails).
# AIS_WINE_CASES="services serial" runs only the cases named (default: all);
# a list that names no case here is a skip. A new case is a function
# case_NAME and its name in all_cases.
# The program runs with heap free checking and Wine's exception log: an
# access violation in any of its threads fails the case, even one that
# something caught; each case that closes it expects exit code 0. Once, in
# the first case's prefix, a control (sim/win/threadfault.cpp: a null
# pointer written through in a second thread) is run the same way and must
# be seen to fault. The window is driven with xdotool; results are read from
# the program's logger.log, the Wine registry, "sc query", the image
# (fsck.fat, mtools), the copied file and the saved report; what only the
# pages show is read with tesseract. Screenshots of the pages land in
# <build folder>/wine-program/<case>/.
#
# Wine stand-ins, each because Wine lacks what Windows has:
#   - sc.exe: Wine's has no "config"; sim/win/scconfig.cpp takes its place
#     in the prefix for that command (ChangeServiceConfigW, as Windows' does);
#   - the modem lines of the USB serial port: a pseudo-terminal has none, so
#     the program's Wine process gets tests/ptyshim preloaded (as the Linux
#     tests do);
#   - Tahoma: fonts-wine's copy is put into C:\windows\Fonts; for the
#     language case also Noto Sans CJK, from this machine's fonts-noto-cjk
#     (Windows has Microsoft YaHei and Meiryo or Yu Gothic).
# Skipped (exit 77) when Wine or Xvfb is not installed. Needs the Linux
# build (build/ or $AIS_LINUX_BUILD_DIR) for the simulator and the pty shim;
# builds those two targets when they are missing. AIS_WINE_SIM_ARGS adds
# arguments to the simulator of the serial case (--misbehave bad-checksum,
# say), to see the case fail on a device that breaks the path.
set -uo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
out="${AIS_WIN_BUILD_DIR:-$root/build-windows}"
linux_build="${AIS_LINUX_BUILD_DIR:-$root/build}"
deploy="$out/deploy/AisFirmwareUpgrade"
work="$out/wine-program"
started=$SECONDS
sim="$linux_build/sim/transponder/ais_transponder_sim"
ptyshim="$linux_build/tests/ptyshim/libais_ptyshim.so"

. "$root/scripts/check-report.sh"
report_init wine-program-check

all_cases=(services bootloader planted serial scaling language)
# AIS_WINE_CASES="services bootloader" picks the cases to run.
wanted() { [[ " ${AIS_WINE_CASES:-${all_cases[*]}} " == *" $1 "* ]]; }

# --- on this machine: the program, the stand-ins, the simulator ------------------
if [ -z "${AIS_WINE_TREE_INSIDE:-}" ]; then
  known=0
  for c in ${AIS_WINE_CASES:-${all_cases[*]}}; do
    if [[ " ${all_cases[*]} " == *" $c "* ]]; then known=$((known + 1)); else skip "no case named $c"; fi
  done
  [ $known -gt 0 ] || skip_all "AIS_WINE_CASES=\"${AIS_WINE_CASES:-}\" names no case of ${all_cases[*]}"
  export PATH="$PATH:/usr/sbin:/sbin"
  if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1; then
    fail "x86_64-w64-mingw32-g++-posix is missing (scripts/setup.sh installs it)"
    report_end
  fi
  rm -rf "$work"
  mkdir -p "$work/bin"

  if [ ! -f "$deploy/AisFirmwareUpgrade.exe" ]; then
    if [ ! -f "$root/scripts/build-windows.sh" ]; then
      fail "no $deploy and no scripts/build-windows.sh to make it"
      report_end
    fi
    say "building the Windows program (scripts/build-windows.sh)"
    if ! bash "$root/scripts/build-windows.sh" >"$work/build-windows.log" 2>&1 \
       || [ ! -f "$deploy/AisFirmwareUpgrade.exe" ]; then
      tail -20 "$work/build-windows.log"
      fail "scripts/build-windows.sh left no $deploy/AisFirmwareUpgrade.exe"
      report_end
    fi
  fi

  . "$root/scripts/wine-common.sh"
  if ! build_win_standins "$work/bin"; then
    fail "could not build the stand-ins of sim/win"
    report_end
  fi
  # The CJK font and the locale sources of the language case, from this
  # machine's fonts-noto-cjk and locales (the tree has neither; a locales
  # package of its own would change the tree every other branch shares).
  if wanted language; then
    mkdir -p "$work/fonts" "$work/i18n/charmaps"
    cp /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc "$work/fonts/" 2>/dev/null
    cp -r /usr/share/i18n/locales "$work/i18n/" 2>/dev/null
    cp /usr/share/i18n/charmaps/UTF-8.gz "$work/i18n/charmaps/" 2>/dev/null
  fi

  if [ ! -x "$sim" ] || [ ! -f "$ptyshim" ]; then
    say "building the simulator and the pty shim in $linux_build"
    if [ ! -f "$linux_build/CMakeCache.txt" ]; then
      cmake -S "$root" -B "$linux_build" -DCMAKE_BUILD_TYPE=Debug >"$work/linux-build.log" 2>&1
    fi
    cmake --build "$linux_build" --target ais_transponder_sim ais_ptyshim -j2 >>"$work/linux-build.log" 2>&1
    if [ ! -x "$sim" ] || [ ! -f "$ptyshim" ]; then
      tail -20 "$work/linux-build.log"
      fail "no simulator or pty shim in $linux_build"
      report_end
    fi
  fi

  . "$root/scripts/trixie-tree.sh"
  AIS_LINUX_BUILD_DIR="$linux_build" wine_tree_enter "$root/scripts/wine-program-check.sh"
fi

# --- Wine, the display, clean-up ----------------------------------------------
. "$root/scripts/wine-common.sh"
if [ -z "$wine" ] || [ -z "$wineserver" ] || ! command -v Xvfb >/dev/null 2>&1; then
  skip_all "Wine or Xvfb is not installed (Debian packages wine64, xvfb)"
fi
say_wine_version
export PATH="$PATH:/usr/sbin:/sbin"
for tool in xdotool tesseract import convert mkfs.fat fsck.fat mcopy mdir; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    fail "$tool is missing (scripts/setup.sh installs it)"
    report_end
  fi
done

export WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko: the program needs neither, and their installers would look for a network.
export WINEDLLOVERRIDES="mscoree=;mshtml="
# File names outside ASCII must reach Wine intact; its ANSI code page stays 1252.
export LC_ALL=C.UTF-8
unset WAYLAND_DISPLAY

start_xvfb "$work" || { fail "Xvfb did not start: $(cat "$work/xvfb.log")"; report_end; }

sim_pid=""
prefixes=()
cleanup() {
  local p
  exec 7>&- 8>&- 2>/dev/null
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null
  for p in "${prefixes[@]}"; do WINEPREFIX="$p" "$wineserver" -k >/dev/null 2>&1; done
  kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT

# Waits until a command succeeds, at most $1 seconds.
wait_for() {
  local end=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.3
  done
}

# --- one case: prefix, program, window -----------------------------------------
case_dir=""
prog_dir=""
prog_out=""
prog_pid=""
fault_control_done=0

# A fresh prefix reading as Windows 10, with the stand-ins installed; the
# registry lines given on standard input (REGEDIT4) are imported, the drive
# and port links are made by the caller, and the prefix is started again
# afterwards so that the service manager and the mount manager read them.
new_prefix() { # case name
  case_dir="$work/$1"
  export WINEPREFIX="$case_dir/prefix"
  mkdir -p "$case_dir"
  prefixes+=("$WINEPREFIX")
  if ! fresh_wine_prefix "$case_dir/wineboot.log"; then
    tail -5 "$case_dir/wineboot.log"
    return 1
  fi
  local sys="$WINEPREFIX/drive_c/windows"
  mkdir -p "$WINEPREFIX/drive_c/StandIn"
  cp "$work/bin/standinsvc.exe" "$WINEPREFIX/drive_c/StandIn/"
  cp "$work/bin/scconfig.exe" "$sys/system32/sc.exe"
  install_tahoma
  {
    printf 'REGEDIT4\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine]\r\n"Version"="win10"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\DllOverrides]\r\n"sc.exe"="native"\r\n\r\n'
    program_prefix_reg
    cat
  } >"$case_dir/setup.reg"
  "$wine" regedit /S 'Z:'"${case_dir//\//\\}"'\setup.reg' >/dev/null 2>&1
  "$wineserver" -k >/dev/null 2>&1
  "$wineserver" -w
  prog_out="$case_dir/program.out"
  if [ $fault_control_done = 0 ]; then
    fault_control
    # The control started the prefix before the caller linked its drives
    # and ports: Wine's mount manager reads drive labels only as the prefix
    # starts, so without this the next start would find no volume "AIS B CS".
    "$wineserver" -k >/dev/null 2>&1
    "$wineserver" -w
  fi
  return 0
}

# Wine 10 stops a prefix's services as soon as no program of the user's
# runs (Wine 8 kept them for a few seconds): a console cmd.exe waiting on a
# pipe holds the prefix while a case reads service states between runs.
hold_prefix() {
  rm -f "$case_dir/hold"
  mkfifo "$case_dir/hold"
  "$wine" cmd <"$case_dir/hold" >/dev/null 2>&1 &
  exec 8>"$case_dir/hold"
}
release_prefix() { exec 8>&- 2>/dev/null; }

# REGEDIT4 lines of a stand-in service: name, start value, [service it depends on].
service_reg() {
  printf '[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\%s]\r\n' "$1"
  printf '"Type"=dword:00000010\r\n"Start"=dword:%08x\r\n"ErrorControl"=dword:00000001\r\n' "$2"
  printf '"ImagePath"="C:\\\\StandIn\\\\standinsvc.exe %s"\r\n"ObjectName"="LocalSystem"\r\n' "$1"
  if [ -n "${3:-}" ]; then
    # REG_MULTI_SZ: UTF-16LE, the name and two terminating NULs.
    printf '"DependOnService"=hex(7):%s\r\n' \
      "$(printf '%s\0\0' "$3" | iconv -f ASCII -t UTF-16LE | od -An -v -tx1 | tr -s ' \n' ',' | sed 's/^,//;s/,$//')"
  fi
  printf '\r\n'
}

# The four watched services, stopped, start on demand.
idle_services_reg() {
  local s
  for s in WSearch StorSvc ShellHWDetection BDESVC; do service_reg "$s" 3; done
}

# The program, laid out as installed, in the Windows folder $1 (C:\...).
install_program() {
  local win="$1" rel="${1#C:\\}"
  prog_dir="$WINEPREFIX/drive_c/${rel//\\//}"
  mkdir -p "$prog_dir/FirmwareBin"
  cp -r "$deploy/." "$prog_dir/"
  printf '[Sys_Debug]\r\nLogTag=record\r\nEncryptionEnable=false\r\n' >"$prog_dir/profile.ini"
  printf 'Version,%s\n' "$package_version" >"$prog_dir/FirmwareBin/Firmware.csv"
  cp "$work/App_470.Sbin" "$prog_dir/FirmwareBin/App_470.Sbin"
}

# The firmware package: the simulator's image format, header line and payload.
package_version="V1.3.0.01-A"
{ printf 'AISFW,AIS-B-470,%s\n' "$package_version"; head -c 70000 /dev/urandom; } >"$work/App_470.Sbin"

# Starts the program from $prog_dir (the logger writes logger.log in the
# current folder): its own AisFirmwareUpgrade.exe, or the program named by
# its Windows path in $prog_exe when set. Wine's output and exception log in
# $prog_out; extra environment as arguments.
start_program() {
  (cd "$prog_dir" && exec env WINEDEBUG=-all,warn+seh "$@" "$wine" "${prog_exe:-AisFirmwareUpgrade.exe}" >"$prog_out" 2>&1) &
  prog_pid=$!
}
program_running() { kill -0 "$prog_pid" 2>/dev/null; }
# The stacks of every thread of the program, by winedbg, into the case
# folder: a program that stops answering says where it waits.
dump_stacks() { # label
  local wpid
  wpid="$(timeout 60 "$wine" winedbg --command "info process" 2>/dev/null \
    | sed -n "s/^[ =]*\([0-9a-f]*\) .*'AisFirmwareUpgrade.exe'.*/\1/p" | head -1)"
  {
    if [ -n "$wpid" ]; then
      timeout 120 "$wine" winedbg --command "bt all" "0x$wpid" 2>&1
    else
      echo "winedbg: no Windows process AisFirmwareUpgrade.exe"
    fi
    # The Unix side of the same process: Wine's own threads and those of
    # the libraries below it, which winedbg does not see.
    if command -v gdb >/dev/null 2>&1 && program_running; then
      echo "=== gdb, process $prog_pid"
      timeout 60 gdb -p "$prog_pid" -batch -ex 'info threads' -ex 'thread apply all bt 12' 2>&1
    fi
  } >"$case_dir/stacks-$1.txt"
  say "    stacks of the program's threads: $case_dir/stacks-$1.txt"
}
log_has() { grep -aqF -- "$1" "$prog_dir/logger.log" 2>/dev/null; }
log_tail() { tail -n "${1:-15}" "$prog_dir/logger.log" 2>/dev/null | tr -d '\r' | sed 's/^/    | /'; }

main_window() { xdotool search --onlyvisible --name '^AIS Firmware Upgrade$' 2>/dev/null | head -1; }
# A message box of the program (the four titles of its boxes).
other_window() {
  xdotool search --onlyvisible --name '^(Information|Warning|Error|Question)$' 2>/dev/null | head -1 | grep .
}
has_other_window() { other_window >/dev/null; }
# The copy reported successful, or a message box in the way.
copied_or_box() { log_has "Copy bin file success" || has_other_window || ! program_running; }

# Answers every message box until none has come for three seconds (a
# failure message is followed by the report offer on the next tick).
dismiss_boxes() { # label
  local n=0
  while wait_for 3 has_other_window; do
    n=$((n + 1))
    answer_box "$1-$n"
    echo "    box: $(cat "$case_dir/box-$1-$n.txt" 2>/dev/null)"
    sleep 0.5
  done
}

# A picture of one window. For a window that has just gone, import falls
# back to waiting for a click with the pointer grabbed, which stops every
# X client, the program included: bounded.
grab() { # window file
  timeout 10 import -window "$1" "$2" 2>/dev/null
}

# Answers the message box on top with Return; its picture and text go to
# the case folder.
answer_box() { # label
  local box
  box="$(other_window)" || return 1
  sleep 0.5
  grab "$box" "$case_dir/box-$1.png"
  page_text "$case_dir/box-$1.png" >"$case_dir/box-$1.txt"
  timeout 10 xdotool windowfocus --sync "$box" key Return 2>/dev/null
}

# Positions of the form's buttons inside the 600 x 500 window.
declare -A button=(
  [btnWelcomStart]="508 447" [btnInfoNext]="508 447" [btnInfoBack]="388 447"
  [btnCopyProgressFinish]="508 447" [btnThemeFunGenRep]="433 22" [btnWinCtrlClose]="577 22"
)
# At a display scale other than 100 % (in percent; default $display_scale)
# the positions scale with it.
display_scale=100
click() { # button name [scale]
  local w x y
  w="$(main_window)"
  [ -n "$w" ] || return 1
  read -r x y <<<"${button[$1]}"
  xdotool mousemove --window "$w" $((x * ${2:-$display_scale} / 100)) $((y * ${2:-$display_scale} / 100)) click 1
}

# Screenshot of the main window; its text, read by tesseract at twice the size.
shot() { # file
  local w
  w="$(main_window)"
  [ -n "$w" ] && grab "$w" "$1"
}
page_text() { # screenshot
  convert "$1" -scale 200% "$1.ocr.png" && tesseract "$1.ocr.png" - 2>/dev/null | tr -s ' \n' ' '
}
# A second after the last step, the page pictured into FILE must show TEXT
# (tesseract): CLAIM passes or fails with it.
page_shows() { # file text claim
  local text
  sleep 1
  shot "$1"
  text="$(page_text "$1")"
  if [[ "$text" == *"$2"* ]]; then pass "$case_name: $3"; else fail "$case_name: $3" "the page reads: $text"; fi
}

# Starts the program and takes it through the start-up check: the
# information box answered, the system recorded again afterwards.
start_and_init() { # environment...
  start_program "$@"
  if ! wait_for 120 has_other_window; then
    fail "$case_name: no start-up message box; the program $(program_running && echo runs || echo ended)"
    log_tail
    return 1
  fi
  answer_box startup
  if ! wait_for 120 log_has "Record modified services and registry status"; then
    fail "$case_name: the start-up check did not finish"
    log_tail
    return 1
  fi
}

# Closes the window with its close button (at the display scale given, in
# percent) and waits for the process to end: exit code 0 and no access
# violation.
close_program() { # [scale]
  click btnWinCtrlClose "${1:-$display_scale}"
  local end=$((SECONDS + 90)) rc
  while program_running && [ $SECONDS -lt $end ]; do sleep 0.3; done
  if program_running; then
    fail "$case_name: the program did not end after its window was closed"
    log_tail 5
    dump_stacks close
    kill "$prog_pid" 2>/dev/null
    check_faults
    return 1
  fi
  wait "$prog_pid"
  rc=$?
  if [ $rc -eq 0 ]; then
    pass "$case_name: the program ended with exit code 0 after its window was closed"
  else
    fail "$case_name: the program ended with exit code $rc after its window was closed"
    log_tail 5
  fi
  check_faults
}

# Access violations in the program's threads, from Wine's exception log
# (warn+seh): a fault counts even where something caught it.
check_faults() { check_wine_faults "$case_name" "$prog_out"; }

# The control of the two checks above, once, in the first case's prefix:
# threadfault.exe (sim/win) writes through a null pointer in its second
# thread; started exactly as the program is (under its name, so the prefix's
# settings for the program apply too), it must be seen to fault and to end
# with an exit code other than 0. Without it, a fault detection that saw
# nothing would pass every case.
fault_control() {
  local dir="$prog_dir" out="$prog_out" c="fault detection" rc faults end=$((SECONDS + 60))
  fault_control_done=1
  prog_dir="$case_dir/fault-control"
  prog_out="$case_dir/fault-control.out"
  mkdir -p "$prog_dir"
  cp "$work/bin/threadfault.exe" "$prog_dir/AisFirmwareUpgrade.exe"
  start_program
  while program_running && [ $SECONDS -lt $end ]; do sleep 0.3; done
  if program_running; then
    kill "$prog_pid" 2>/dev/null
    wait "$prog_pid" 2>/dev/null
    fail "$c: the control (a null pointer written through in a second thread) still ran after 60 s"
  else
    wait "$prog_pid"
    rc=$?
    faults="$(wine_faults "$prog_out")"
    if [ -z "$faults" ]; then
      fail "$c: the control (a null pointer written through in a second thread) was not seen to fault" "exit code $rc; $prog_out"
    elif [ $rc -eq 0 ]; then
      fail "$c: the control faulted, yet its exit code read 0"
    else
      pass "$c: the control (a null pointer written through in a second thread, run as the program is) was seen to fault, exit code $rc"
    fi
  fi
  prog_dir="$dir"
  prog_out="$out"
}

# Exports the report from the title bar's report button, saved as
# C:\fwreport.txt where the save dialog is told. False when none was saved.
export_report() {
  save_dialog() { xdotool search --onlyvisible --name '^Log$' 2>/dev/null | head -1; }
  has_save_dialog() { [ -n "$(save_dialog)" ]; }
  click btnThemeFunGenRep
  if wait_for 60 has_save_dialog; then
    sleep 1
    # Wine's file name box has no select-all key: the suggested name is
    # cleared from its end.
    xdotool windowfocus --sync "$(save_dialog)" key End shift+Home Delete type --delay 30 'C:\fwreport.txt'
    xdotool key Return
  fi
  wait_for 60 log_has "Export file finish" && [ -f "$WINEPREFIX/drive_c/fwreport.txt" ]
}

# Waits for the device information page after Start: the log line of the
# package version read for it, then a moment for the repaint.
wait_info_page() { wait_for 60 log_has "mainwindowView::getBinVer" && sleep 1; }

reg_start() { # service
  "$wine" reg query "HKLM\\System\\CurrentControlSet\\Services\\$1" /v Start 2>/dev/null \
    | sed -n 's/.*REG_DWORD *0x\([0-9a-f]*\).*/\1/p' | { read -r v && echo $((16#$v)); }
}
# State through Wine's own sc.exe (the stand-in only knows "config").
svc_state() { # service
  WINEDLLOVERRIDES="$WINEDLLOVERRIDES;sc.exe=b" "$wine" sc query "$1" 2>/dev/null \
    | sed -n 's/^ *STATE *: *\([0-9]\).*/\1/p'
}
svc_states() { local s; for s in "$@"; do printf '%s=%s ' "$s" "$(svc_state "$s")"; done; }

# --- FAT16 image helpers -------------------------------------------------------
u8()  { od -An -v -tu1 -j "$2" -N1 "$1" | tr -d ' '; }
u16() { od -An -v -tu2 -j "$2" -N2 "$1" | tr -d ' '; }
u32() { od -An -v -tu4 -j "$2" -N4 "$1" | tr -d ' '; }

# The bootloader's volume: folder $1 with READY.txt, its raw device a FAT16
# image inside it. Wine resolves the volume of a raw device by the folder
# that holds the image, so the image must live in the drive's folder; a dot
# name keeps it hidden from the program's "dir" listing.
make_volume() { # folder
  mkdir -p "$1"
  printf 'ready\r\n' >"$1/READY.txt"
  mkfs.fat -C -F 16 -n "AIS B CS" "$1/.fat16.img" 16384 >/dev/null || return 1
  mcopy -i "$1/.fat16.img" "$1/READY.txt" ::/READY.txt
}
link_volume() { # folder
  ln -sfn "$1" "$WINEPREFIX/dosdevices/x:"
  ln -sfn "$1/.fat16.img" "$WINEPREFIX/dosdevices/x::"
}

# The writer's work on the image: entry 123.567 sized like the package
# image, its cluster marked end-of-chain in both FATs, and fsck.fat finding
# nothing but that entry's size.
check_image() { # image
  local img="$1" c="$case_name: raw writer on \\\\.\\X:"
  local S RES NFATS FATSZ ROOTSEC off="" i cl sz
  S=$(u16 "$img" 11); RES=$(u16 "$img" 14); NFATS=$(u8 "$img" 16); FATSZ=$(u16 "$img" 22)
  ROOTSEC=$((RES + NFATS * FATSZ))
  for ((i = 0; i < S / 32; i++)); do
    if [ "$(od -An -v -tx1 -j $((ROOTSEC * S + i * 32)) -N11 "$img" | tr -d ' \n')" = 3132332020202020353637 ]; then
      off=$((ROOTSEC * S + i * 32)); break
    fi
  done
  if [ -z "$off" ]; then
    fail "$c: no entry 123.567 in the root directory (the writer did not run, or could not open the package image)"
    return 1
  fi
  cl=$(u16 "$img" $((off + 26))); sz=$(u32 "$img" $((off + 28)))
  local fsck_out named
  fsck_out="$(fsck.fat -n "$img" 2>&1)"
  named="$(printf '%s\n' "$fsck_out" | grep -E '^/[^:]*$' | sort -u | tr '\n' ' ')"
  if [ "$sz" != "$(stat -c %s "$work/App_470.Sbin")" ] || [ "$(u8 "$img" $((off + 11)))" != 32 ]; then
    fail "$c: entry 123.567 has size $sz and attribute $(u8 "$img" $((off + 11)))"
  elif [ "$(u16 "$img" $((RES * S + 2 * cl)))" != 65535 ] || [ "$(u16 "$img" $(((RES + FATSZ) * S + 2 * cl)))" != 65535 ]; then
    fail "$c: cluster $cl of 123.567 is not marked end-of-chain in both FATs"
  elif grep -qE 'share clusters|free cluster' <<<"$fsck_out" || [ "$named" != "/123.567 " ]; then
    fail "$c: fsck.fat reports more than the size of 123.567: $fsck_out"
  else
    pass "$c: entry 123.567 ($sz bytes) at cluster $cl, marked in both FATs; fsck.fat reports only its size"
  fi
}

# The copied image in the volume's folder, byte for byte the package's.
check_copy() { # folder
  if cmp -s "$work/App_470.Sbin" "$1/App_470.Sbin"; then
    pass "$case_name: App_470.Sbin in the volume's folder is the package's, byte for byte"
  else
    fail "$case_name: App_470.Sbin in the volume's folder is missing or differs from the package's"
  fi
}

# ==== start-up check and hand-back ==========================================
# Before: WSearch auto and running, StorSvc on demand and stopped,
# ShellHWDetection running, BDESVC stopped; AisIndexer runs and depends on
# WSearch. Wine's net.exe stops a service with running dependents without
# asking (its EnumDependentServicesW is a stub and its service manager does
# not refuse), so this case shows that start-up succeeds with such a
# dependent; whether the program answers Windows' "Do you want to continue
# this operation?" is not seen here.
case_services() {
  case_name="services"
  local services=(WSearch StorSvc ShellHWDetection BDESVC) before expected_before after back
  if new_prefix services <<EOF
$(service_reg WSearch 2; service_reg StorSvc 3; service_reg ShellHWDetection 3; service_reg BDESVC 3; service_reg AisIndexer 3 WSearch)
EOF
  then
    hold_prefix
    "$wine" net start ShellHWDetection >/dev/null 2>&1
    "$wine" net start AisIndexer >/dev/null 2>&1
    before="$(svc_states "${services[@]}" AisIndexer)start WSearch=$(reg_start WSearch) StorSvc=$(reg_start StorSvc)"
    expected_before="WSearch=4 StorSvc=1 ShellHWDetection=4 BDESVC=1 AisIndexer=4 start WSearch=2 StorSvc=3"
    if [ "$before" != "$expected_before" ]; then
      fail "$case_name: the stand-ins did not come up as arranged: $before"
    else
      install_program 'C:\Program Files\AIS Firmware Upgrade'
      if start_and_init; then
        after="$(svc_states "${services[@]}")start WSearch=$(reg_start WSearch) StorSvc=$(reg_start StorSvc)"
        if [ "$after" = "WSearch=1 StorSvc=1 ShellHWDetection=1 BDESVC=1 start WSearch=4 StorSvc=4" ] \
           && log_has "System init success"; then
          pass "$case_name: after the start-up check all four stopped, both start values 4 (AisIndexer $(svc_state AisIndexer))"
        else
          fail "$case_name: after the start-up check: $after"
          log_tail 25
        fi
        close_program
        back="$(svc_states "${services[@]}")start WSearch=$(reg_start WSearch) StorSvc=$(reg_start StorSvc)"
        if [ "$back" = "WSearch=4 StorSvc=1 ShellHWDetection=4 BDESVC=1 start WSearch=2 StorSvc=3" ]; then
          pass "$case_name: closed, the recorded start values (2, 3) and running states are back"
        else
          fail "$case_name: after closing: $back (expected WSearch=4 StorSvc=1 ShellHWDetection=4 BDESVC=1 start WSearch=2 StorSvc=3)"
          log_tail 25
        fi
      fi
    fi
    release_prefix
    "$wineserver" -k >/dev/null 2>&1
  else
    fail "$case_name: wineboot could not make the prefix"
  fi
}

# ==== bootloader mode, program folder outside the ANSI code page ===========
case_bootloader() {
  case_name="bootloader"
  local vol text report bad_ends lines stars rule layout_ok n want listing check
  if new_prefix bootloader < <(idle_services_reg); then
    vol="$case_dir/volume"
    make_volume "$vol" && link_volume "$vol"
    # "ö" is in Wine's code page 1252, "Ł" and Greek are not.
    install_program "${AIS_WINE_PROGRAM_DIR:-C:\\users\\Łukasz Ελένη\\AIS Upgrade}"
    if start_and_init; then
      click btnWelcomStart
      if wait_info_page; then
        shot "$case_dir/info.png"
        text="$(page_text "$case_dir/info.png")"
        if [[ "$text" == *Bootloader* ]] && log_has "Find MSD success" && log_has "MSD name = AIS B CS"; then
          pass "$case_name: Start finds the volume \"AIS B CS\"; the page shows Bootloader as current version"
        else
          fail "$case_name: the device page does not show Bootloader: $text"
        fi
        click btnInfoNext
        if wait_for 90 copied_or_box && log_has "Copy bin file success"; then
          page_shows "$case_dir/success.png" "Upgrade completed successfully" \
            "Next: \"Copy bin file success\" logged, the page shows \"Upgrade completed successfully!\""
        else
          fail "$case_name: no successful copy after Next"
          program_running && ! has_other_window && dump_stacks next
          dismiss_boxes next
          log_tail 8
        fi
      else
        fail "$case_name: no device page after Start"
        dismiss_boxes start
        log_tail 20
      fi
      check_copy "$vol"

      report="$WINEPREFIX/drive_c/fwreport.txt"
      if export_report; then
        bad_ends=$(tr -d '\n' <"$report" | tr -cd '\r' | wc -c)
        lines=$(tr -cd '\n' <"$report" | wc -c)
        # Line n of the report, without its CR LF.
        rline() { sed -n "${1}p" "$report" | tr -d '\r'; }
        stars="$(printf '%043d' 0 | tr 0 '*')"; rule="$(printf '%043d' 0 | tr 0 '=')"
        layout_ok=1
        for check in "1|$stars" "2|	Lumora-470 Firmware Upgrade Log" "3|$stars" "5|SW Version: v1.5.3" "6|" \
                     "7|[User System Information]" "8|	OS Type: windows" "9|	OS Version: 10" "12|" "13|$rule" \
                     "14|	Registry & System Sevice" "15|$rule" "16|[Registry]" "17|(4=Disabled)" \
                     "18|	WSearch: 4" "19|	StorSvc: 4" "20|" "21|[System Service]" "22|	WSearch: Stopped" \
                     "23|	StorSvc: Stopped" "24|	ShellHWDetection: Stopped" "25|	BDESVC: Stopped" "26|" \
                     "27|$rule" "28|	MSD Content" "29|$rule"; do
          n="${check%%|*}"; want="${check#*|}"
          if [ "$(rline "$n")" != "$want" ]; then
            fail "$case_name: report line $n is '$(rline "$n")', expected '$want'"; layout_ok=0
          fi
        done
        if ! grep -qE '^Date: [0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} $' <<<"$(rline 4)"; then
          fail "$case_name: report date line is '$(rline 4)'"; layout_ok=0
        fi
        if ! grep -qE $'^\tOS Kernel Version:[0-9]+\\.[0-9.]+$' <<<"$(rline 10)" \
           || [ "$(rline 11)" != $'\tCpu Architecture:x86_64' ]; then
          fail "$case_name: report lines 10 and 11 are '$(rline 10)' and '$(rline 11)'"; layout_ok=0
        fi
        listing="$(sed -n '30,/^=====/p' "$report" | tr -d '\r')"
        if [ "$(grep -c $'\r$' "$report")" -ne "$lines" ] || [ "$bad_ends" -ne "$lines" ]; then
          fail "$case_name: report line ends are not all CR LF ($lines LF, $(grep -c $'\r$' "$report") CR LF, $bad_ends CR)"
        elif ! grep -qxF 'X:\App_470.Sbin' <<<"$listing" || ! grep -qxF 'X:\READY.txt' <<<"$listing"; then
          fail "$case_name: the report's volume listing lacks X:\\App_470.Sbin or X:\\READY.txt: $listing"
        elif [ "$(tail -n 2 "$report" | tr -d '\r' | tr '\n' '|')" != 'X:\READY.txt||' ]; then
          # The logger records to logger.log here ("record"), and a recording
          # logger keeps no recent lines: the report ends with the listing.
          fail "$case_name: the report does not end with the volume listing and its blank line: $(tail -n 3 "$report" | tr -d '\r')"
        elif [ $layout_ok = 1 ]; then
          pass "$case_name: report ($lines lines) laid out as specified, CR LF throughout, volume listed by cmd.exe /C dir"
        fi
      else
        fail "$case_name: no report saved"
        log_tail 10
      fi
      close_program
      check_image "$vol/.fat16.img"
    fi
    "$wineserver" -k >/dev/null 2>&1
  else
    fail "$case_name: wineboot could not make the prefix"
  fi
}

# ==== a planted cmd.exe ========================================================
# The program runs elevated, started from a folder an ordinary user writes
# to (C:\users\Public\Work, where its logger.log goes too). A cmd.exe that
# leaves a marker lies there and in the program's own folder, both searched
# before the system folder for a bare name: the report exported in
# bootloader mode must list the volume through the system folder's cmd.exe
# and run neither copy.
case_planted() {
  case_name="planted"
  local vol user_dir marker="" report saved prog_exe
  if ! new_prefix planted < <(idle_services_reg); then
    fail "$case_name: wineboot could not make the prefix"
    return
  fi
  vol="$case_dir/volume"
  make_volume "$vol" && link_volume "$vol"
  install_program 'C:\Program Files\AIS Firmware Upgrade'
  user_dir="$WINEPREFIX/drive_c/users/Public/Work"
  mkdir -p "$user_dir"
  cp "$work/bin/plantedcmd.exe" "$prog_dir/cmd.exe"
  cp "$work/bin/plantedcmd.exe" "$user_dir/cmd.exe"
  marker="$WINEPREFIX/drive_c/planted-ran.txt"
  report="$WINEPREFIX/drive_c/fwreport.txt"
  prog_dir="$user_dir"
  prog_exe='C:\Program Files\AIS Firmware Upgrade\AisFirmwareUpgrade.exe'
  if start_and_init; then
    click btnWelcomStart
    if wait_info_page && log_has "Find MSD success"; then
      export_report
      saved=$?
      if [ -e "$marker" ]; then
        fail "$case_name: a planted cmd.exe ran when the report was exported (marker $marker: $(grep -c . "$marker") runs)"
      elif [ $saved -ne 0 ]; then
        fail "$case_name: no report saved"
        log_tail 10
      elif ! grep -qxF 'X:\READY.txt' <<<"$(tr -d '\r' <"$report" | sed -n '/^\tMSD Content$/,$p')"; then
        fail "$case_name: the report's MSD Content does not list X:\\READY.txt" "$(tr -d '\r' <"$report" | tail -n 5 | tr '\n' '|')"
      else
        pass "$case_name: report exported in bootloader mode: the volume listed by the system folder's cmd.exe, neither planted cmd.exe (the current folder, the program's folder) ran"
      fi
    else
      fail "$case_name: no device page in bootloader mode after Start"
      dismiss_boxes start
      log_tail 10
    fi
    close_program
  fi
  "$wineserver" -k >/dev/null 2>&1
}

# ==== serial path, normal mode: the whole upgrade and its confirmation ========
# The transponder is the simulator on a pseudo-terminal behind Wine's COM5.
# Windows' Plug and Play manager records a USB serial device under
# Enum\USB\VID_&PID_\<instance> (Ports class, description, Device
# Parameters\PortName) while it is plugged in; the same record here lets
# SetupAPI, and so QSerialPortInfo, see COM5 as the transponder's port. It
# goes when the device leaves for its bootloader and comes back with the
# device after its power cycle, as on Windows. The bootloader volume is
# drive X: from the start: Wine's mount manager reads drive labels only when
# the prefix starts. The serial port comes first at Start, so the program
# looks for the volume only after its bootloader command.
port_key='HKEY_LOCAL_MACHINE\System\CurrentControlSet\Enum\USB\VID_2504&PID_3209\AIS0001'
port_reg() {
  printf '[%s]\r\n"ClassGUID"="{4d36e978-e325-11ce-bfc1-08002be10318}"\r\n"Class"="Ports"\r\n' "$port_key"
  printf '"DeviceDesc"="AIS Virtual Com"\r\n"Mfg"="AIS"\r\n"HardwareID"=hex(7):%s\r\n\r\n' \
    "$(printf 'USB\\VID_2504&PID_3209\0\0' | iconv -f ASCII -t UTF-16LE | od -An -v -tx1 | tr -s ' \n' ',' | sed 's/^,//;s/,$//')"
  printf '[%s\\Device Parameters]\r\n"PortName"="COM5"\r\n\r\n' "$port_key"
}
port_plugged() {
  { printf 'REGEDIT4\r\n\r\n'; port_reg; } >"$case_dir/port.reg"
  "$wine" regedit /S 'Z:'"${case_dir//\//\\}"'\port.reg' >/dev/null 2>&1
}
port_unplugged() { "$wine" reg delete "$port_key" /f >/dev/null 2>&1; }

case_serial() {
  case_name="serial"
  if new_prefix serial < <(idle_services_reg; port_reg); then
    install_program 'C:\Program Files\AIS Firmware Upgrade'
    # At 150 %: at 100 % Wine 10 leaves pixels out of the small semibold
    # labels (the confirmation line, the Finish button), and tesseract
    # cannot read them.
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
    display_scale=150
    serial_upgrade runs-image "serial"
    # The same prefix: the first run handed the services back at its close.
    serial_upgrade keeps-old "serial, old firmware kept"
    display_scale=100
  else
    fail "$case_name: wineboot could not make the prefix"
  fi
}

# One upgrade from normal mode against a simulator whose power cycle brings
# $1 (its --after-cycle); the case's name for this run is $2. runs-image
# must end with the confirmation, keeps-old with "not taken".
serial_upgrade() { # after-cycle name
  local after="$1" dir text vol received
  case_name="$2"
  dir="$case_dir/$after"
  mkdir -p "$dir"
  prog_out="$dir/program.out"
  rm -f "$prog_dir/logger.log" "$dir/sim.in"
  mkfifo "$dir/sim.in"
  # The device streams its own AIS sentences (--chatter), as a transponder
  # does; Wine 8 needed them (its comm-event wait blocked until a byte came).
  # shellcheck disable=SC2086
  "$sim" --fw V1.2.0.00-A --bootloader-delay 300 --chatter 100 --after-cycle "$after" ${AIS_WINE_SIM_ARGS:-} \
    <"$dir/sim.in" >"$dir/sim.out" 2>&1 &
  sim_pid=$!
  exec 7>"$dir/sim.in"
  # The device's serial node: "port /dev/X" at the start, "on /dev/X" after a cycle.
  sim_node() {
    local name
    name="$(sed -n 's#^\(port\|on\) /dev/\([^,]*\),.*#\2#p' "$dir/sim.out" | tail -1)"
    [ -n "$name" ] && echo "$(sed -n 's/^UMOCKDEV_DIR=//p' "$dir/sim.out")/dev/$name"
  }
  sim_says() { grep -q -- "$1" "$dir/sim.out"; }
  # What the program's process reads from the line, one file per read
  # (received.1, received.2, ...), recorded by the shim.
  received="$dir/received"
  serial_reads() { ls -1v "$received".* 2>/dev/null | wc -l; }
  if ! wait_for 30 sim_node >/dev/null; then
    fail "$case_name: the simulator did not start: $(cat "$dir/sim.out")"
    serial_end
    return
  fi
  ln -sfn "$(sim_node)" "$WINEPREFIX/dosdevices/com5"
  vol="$dir/volume"
  make_volume "$vol" && link_volume "$vol"
  "$wineserver" -k >/dev/null 2>&1
  "$wineserver" -w
  if ! start_and_init LD_PRELOAD="$ptyshim" AIS_PTYSHIM_READ_LOG="$received"; then
    serial_end
    return
  fi

  click btnWelcomStart
  if ! { wait_info_page && log_has "Port name is found: AIS Virtual Com" \
         && log_has "Target machine type is correct: AIS-B-470"; }; then
    fail "$case_name: Start did not find and identify the device on COM5" \
         "$(serial_reads) reads of the line; simulator: $(tail -3 "$dir/sim.out" | tr '\n' ' ')"
    dismiss_boxes start
    log_tail 25
    close_program
    serial_end
    return
  fi
  shot "$dir/identified.png"
  text="$(page_text "$dir/identified.png")"
  if [[ "$text" == *AIS-B-470* && "$text" == *V1.2.0.00-A* && "$text" == *V1.3.0.01-A* ]]; then
    pass "$case_name: Start: COM5 found as \"AIS Virtual Com\", identified: AIS-B-470, V1.2.0.00-A, package V1.3.0.01-A"
  else
    fail "$case_name: the device page does not show AIS-B-470 V1.2.0.00-A and the package V1.3.0.01-A: $text"
  fi

  click btnInfoNext
  if wait_for 30 sim_says 'bootloader: serial port gone'; then
    port_unplugged
  fi
  if wait_for 90 copied_or_box && log_has "Copy bin file success"; then
    if grep -qF '<- $PDBG,107,1,,,,,,*16' "$dir/sim.out" && sim_says 'bootloader: serial port gone'; then
      pass "$case_name: Next: the bootloader command reached the device, the volume was found, the image copied (success page)"
    else
      fail "$case_name: copied without the simulator seeing the bootloader command: $(tr '\n' ' ' <"$dir/sim.out")"
    fi
  else
    fail "$case_name: no successful copy after Next; simulator: $(tail -4 "$dir/sim.out" | tr '\n' ' ')"
    dismiss_boxes next
    log_tail 20
    close_program
    serial_end
    return
  fi
  check_copy "$vol"

  # The power cycle: the device comes back on a new serial node, with the
  # image or without it.
  echo "cycle $vol/App_470.Sbin" >&7
  if ! wait_for 30 sim_says '^on /dev/'; then
    fail "$case_name: the simulator did not come back from its power cycle: $(tail -3 "$dir/sim.out" | tr '\n' ' ')"
  else
    ln -sfn "$(sim_node)" "$WINEPREFIX/dosdevices/com5"
    port_plugged
    if [ "$after" = runs-image ]; then
      if wait_for 60 log_has "Firmware confirmed: device runs V1.3.0.01-A"; then
        page_shows "$dir/confirmed.png" "Confirmed: the device now runs V1.3.0.01-A" \
          "after the power cycle the wizard confirms: \"Confirmed: the device now runs V1.3.0.01-A.\""
      else
        fail "$case_name: no confirmation within 60 s of the power cycle" "$(grep -aF CFirmwareConfirm "$prog_dir/logger.log" | tail -3 | tr -d '\r' | tr '\n' ' ')"
        dismiss_boxes confirm
      fi
    else
      if wait_for 60 log_has "Firmware not taken: device runs V1.2.0.00-A instead of V1.3.0.01-A" \
         && wait_for 10 has_other_window; then
        answer_box not-taken
        text="$(cat "$case_dir/box-not-taken.txt")"
        if [[ "$text" == *"firmware was not taken: the device still runs"* ]]; then
          pass "$case_name: after the power cycle the wizard warns: \"The new firmware was not taken: the device still runs V1.2.0.00-A.\""
        else
          fail "$case_name: the warning box does not say the firmware was not taken: $text"
        fi
      else
        fail "$case_name: no \"not taken\" outcome within 60 s of the power cycle" "$(grep -aF CFirmwareConfirm "$prog_dir/logger.log" | tail -3 | tr -d '\r' | tr '\n' ' ')"
      fi
      # The report offer follows; declined.
      dismiss_boxes offer
    fi
  fi
  close_program
  serial_end
}
serial_end() {
  exec 7>&-
  kill "$sim_pid" 2>/dev/null
  wait "$sim_pid" 2>/dev/null
  sim_pid=""
  "$wineserver" -k >/dev/null 2>&1
  "$wineserver" -w
}

# ==== display scaling =========================================================
# Windows' display scale is the prefix's LogPixels (HKCU\Control Panel\Desktop),
# which a program reads as it starts: at 144 and 192 (150 % and 200 %) the
# window is 900 x 750 and 1200 x 1000 device pixels. (Qt's own variables
# cannot stand in for it: Wine hands no Unix variable whose name begins with
# QT_ to a Windows program, only WINEQT_... as QT_....)
case_scaling() {
  case_name="scaling"
  local scale dpi want got
  if new_prefix scaling < <(idle_services_reg); then
    install_program 'C:\Program Files\AIS Firmware Upgrade'
    for scale in 144:900x750 192:1200x1000; do
      dpi="${scale%%:*}" want="${scale#*:}"
      case_name="scaling at LogPixels $dpi"
      prog_out="$case_dir/program-$dpi.out"
      "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
      "$wineserver" -k >/dev/null 2>&1
      "$wineserver" -w
      if start_and_init; then
        sleep 1
        got="$(xdotool getwindowgeometry --shell "$(main_window)" | sed -n 's/^WIDTH=//p;s/^HEIGHT=//p' | paste -sd x)"
        shot "$case_dir/window-${dpi}dpi.png"
        if [ "$got" = "$want" ]; then
          pass "$case_name: the window is $got device pixels"
        else
          fail "$case_name: the window is $got device pixels, expected $want"
        fi
        close_program $((dpi * 100 / 96))
      fi
      "$wineserver" -k >/dev/null 2>&1
    done
  else
    fail "$case_name: wineboot could not make the prefix"
  fi
}

# ==== the user's language ======================================================
# With a German and then a Japanese user locale and no setting of the
# program's (no choice stored, no installer), the program starts in that
# language: Wine takes the user's languages from the Unix locale (made here
# into the case folder by the tree's own localedef from this machine's
# locale sources, LOCPATH), the program asks Windows for them
# (GetUserPreferredUILanguages) and logs what it chose. Both languages ship,
# so a build without one fails. The windows are pictured in the case folder.
case_language() {
  case_name="language"
  local shipped pair locale code tag line box
  if ! new_prefix language < <(idle_services_reg); then
    fail "$case_name: wineboot could not make the prefix"
    return
  fi
  install_program 'C:\Program Files\AIS Firmware Upgrade'
  cp "$work/fonts/NotoSansCJK-Regular.ttc" "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null \
    || fail "$case_name: no Noto Sans CJK to put into the prefix (Debian package fonts-noto-cjk on this machine)"
  shipped=" $(shipped_languages "$out" | tr '\n' ' ') "
  program_window() { # the program's top windows but the main window
    xdotool search --onlyvisible --classname '^aisfirmwareupgrade.exe$' 2>/dev/null | grep -vx "$(main_window)" | head -1 | grep .
  }
  has_program_box() { program_window >/dev/null; }
  has_main() { [ -n "$(main_window)" ]; }
  for pair in de_DE:de ja_JP:ja; do
    locale="${pair%%:*}" code="${pair#*:}"
    tag="${locale/_/-}"
    case_name="language ($locale)"
    prog_out="$case_dir/program-$code.out"
    mkdir -p "$case_dir/locale"
    if ! I18NPATH="$work/i18n" localedef -i "$locale" -f UTF-8 "$case_dir/locale/$locale.UTF-8" >"$case_dir/localedef-$code.log" 2>&1 \
       && [ ! -d "$case_dir/locale/$locale.UTF-8" ]; then
      fail "$case_name: localedef could not make $locale.UTF-8 (Debian package locales on this machine): $(tail -1 "$case_dir/localedef-$code.log")"
      continue
    fi
    rm -f "$prog_dir/logger.log"
    "$wineserver" -k >/dev/null 2>&1
    "$wineserver" -w
    start_program LOCPATH="$case_dir/locale" LC_ALL="$locale.UTF-8" LANG="$locale.UTF-8"
    if ! wait_for 120 has_program_box; then
      fail "$case_name: no start-up message box; the program $(program_running && echo runs || echo ended)"
      log_tail
      "$wineserver" -k >/dev/null 2>&1
      continue
    fi
    box="$(program_window)"
    sleep 1
    grab "$box" "$case_dir/startup-box-$code.png"
    timeout 10 xdotool windowfocus --sync "$box" key Return 2>/dev/null
    line="$(tr '\r' '\n' <"$prog_dir/logger.log" 2>/dev/null | grep -a 'ProgramStart::applyLanguage' | head -1)"
    if [[ "$line" == *"display: $tag"* ]]; then
      pass "$case_name: Windows gives the program the display language $tag"
    else
      fail "$case_name: the program did not get the display language $tag: ${line:-no language line in its log}"
    fi
    if [[ "$shipped" != *" $code "* ]]; then
      fail "$case_name: this build ships no $code translation (ui/translations/AisFirmwareUpgrade_$code.ts)"
    elif [[ "$line" == *"Language $code ("* ]]; then
      pass "$case_name: it starts in $code without any setting (start-up box: startup-box-$code.png)"
    else
      fail "$case_name: it did not start in $code: ${line:-no language line in its log}"
    fi
    if wait_for 120 log_has "Record modified services and registry status" && wait_for 30 has_main; then
      sleep 1
      shot "$case_dir/welcome-$code.png"
      close_program
    else
      fail "$case_name: the start-up check did not finish"
      "$wineserver" -k >/dev/null 2>&1
      wait "$prog_pid" 2>/dev/null
      check_faults
    fi
  done
  "$wineserver" -k >/dev/null 2>&1
}

for c in "${all_cases[@]}"; do
  if wanted "$c"; then "case_$c"; else say "case $c not asked for"; fi
done

say "run time $((SECONDS - started)) s; screenshots in $work"
report_end
