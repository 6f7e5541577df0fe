#!/usr/bin/env bash
# "Install and start": the Windows packages of scripts/build-windows.sh under
# Wine (Debian's wine64), in a fresh prefix, under Xvfb:
#   - the installer asks for administrator rights, installs silently (/S)
#     into Program Files exactly the deployable folder plus its uninstaller,
#     with a Start-menu entry and an uninstall entry; the zip holds the same
#     folder;
#   - Windows 7 (a new prefix as Wine makes it): the installed program shows
#     its 600 x 500 wizard, loads every DLL it ships and no other of its
#     folder, changes no service, opens and closes its About box, opens the
#     manual in Help/ beside it from its Help button, and its close button
#     ends it with exit code 0;
#   - Windows 10, where the four services it stops do not exist (as in any
#     new prefix): the start-up check cannot reach its target, says so, offers
#     the report, hands the start values back and ends with exit code 0;
#   - the uninstaller removes the folder, the Start-menu entry and the
#     uninstall entry.
# The program runs with heap free checking and without a crash debugger, so
# heap damage or a crash fails the case that causes it.
# The wizard's screenshot lands in $out/wine-install/windows-wizard-wine.png.
# Skipped (exit 77) when Wine or Xvfb is not installed.
set -uo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
out="${AIS_WIN_BUILD_DIR:-$root/build-windows}"
work="$out/wine-install"
version="$(sed -n 's/^project([^)]*VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt" | head -1)"
setup="$out/packages/AisFirmwareUpgrade-$version-win64-setup.exe"
zip="$out/packages/AisFirmwareUpgrade-$version-win64.zip"
deploy="$out/deploy/AisFirmwareUpgrade"
app_title="AIS Firmware Upgrade"

. "$root/scripts/check-report.sh"
report_init wine-install-check

. "$root/scripts/wine-common.sh"
if [ -z "$wine" ] || [ -z "$wineserver" ] || ! command -v Xvfb >/dev/null 2>&1; then
  skip_all "Wine or Xvfb is not installed (Debian packages wine64, xvfb)"
fi
for tool in xdotool import convert unzip; do
  command -v "$tool" >/dev/null 2>&1 || { fail "$tool is missing (Debian packages xdotool, imagemagick, unzip)"; report_end; }
done
if [ ! -f "$setup" ] || [ ! -f "$zip" ] || [ ! -d "$deploy" ]; then
  fail "no packages in $out/packages: run scripts/build-windows.sh first"
  report_end
fi

rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX="$work/prefix"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko: the program needs neither, and their installers would look for a network.
export WINEDLLOVERRIDES="mscoree=;mshtml="
unset WAYLAND_DISPLAY

xvfb_pid=""
cleanup() {
  "$wineserver" -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
start_xvfb "$work" || { fail "Xvfb did not start: $(cat "$work/xvfb.log")"; report_end; }

if ! timeout 300 "$wine" wineboot -i >"$work/wineboot.log" 2>&1; then
  tail -20 "$work/wineboot.log"
  fail "wineboot could not create the prefix"
  report_end
fi
install_tahoma || say "note: no Tahoma (Debian package fonts-wine); the screenshot shows a substitute"
{ printf 'REGEDIT4\r\n\r\n'; program_prefix_reg; } >"$work/program.reg"
"$wine" regedit /S 'Z:'"${work//\//\\}"'\program.reg' >/dev/null 2>&1

set_windows_version() {
  "$wine" reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1
}

# --- windows on the X display ----------------------------------------------------
visible_windows() { xdotool search --onlyvisible --name '.' 2>/dev/null; }
window_size() { xdotool getwindowgeometry "$1" 2>/dev/null | sed -n 's/^ *Geometry: //p'; }
# The first visible window named exactly $1, waiting up to $2 seconds.
wait_window() {
  local end=$((SECONDS + $2)) w
  while [ $SECONDS -lt $end ]; do
    w="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)"
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.5
  done
  return 1
}
# A visible window of the given size other than those listed in $2.
find_window_of_size() {
  local w
  for w in $(visible_windows); do
    printf '%s\n' $2 | grep -qx "$w" && continue
    [ "$(window_size "$w")" = "$1" ] && { echo "$w"; return 0; }
  done
  return 1
}
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }
# Whether the launcher in the background (pid $1) has ended within $2 seconds.
wait_ended() {
  local end=$((SECONDS + $2))
  while kill -0 "$1" 2>/dev/null; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.5
  done
  return 0
}

# --- installer and zip -----------------------------------------------------------
c="installer asks for administrator rights"
if LC_ALL=C grep -qaF 'level="requireAdministrator"' "$setup"; then
  pass "$c (requireAdministrator in its manifest)"
else
  fail "$c: $setup carries no requireAdministrator manifest"
fi

inst_unix="$WINEPREFIX/drive_c/Program Files/$app_title"
inst_win="C:\\Program Files\\$app_title"
menu_dir="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$app_title"
uninst_key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AisFirmwareUpgrade"
tree() { (cd "$1" && find . -type f | LC_ALL=C sort); }

c="silent install"
timeout 120 "$wine" "$setup" /S >"$work/setup.log" 2>&1
rc=$?
if [ $rc -ne 0 ]; then
  fail "$c: the installer ended with $rc"
elif [ ! -d "$inst_unix" ]; then
  fail "$c: nothing in $inst_win"
else
  extra="$(diff <({ tree "$deploy"; echo ./Uninstall.exe; } | LC_ALL=C sort) <(tree "$inst_unix") | grep '^[<>]')"
  differing=""
  while read -r f; do
    cmp -s "$deploy/$f" "$inst_unix/$f" || differing+=" $f"
  done < <(tree "$deploy")
  if [ -n "$extra" ]; then
    fail "$c: $inst_win is not the deployable folder plus Uninstall.exe: $extra"
  elif [ -n "$differing" ]; then
    fail "$c: installed files differ from the deployable folder:$differing"
  else
    firmware_note="no FirmwareBin/"
    [ -d "$inst_unix/FirmwareBin" ] && firmware_note="FirmwareBin/ from the named folder"
    pass "$c: $inst_win holds the deployable folder ($(tree "$deploy" | wc -l) files, $firmware_note) and Uninstall.exe"
  fi
fi

c="Start-menu entry and uninstall entry"
lnk="$menu_dir/$app_title.lnk"
uninst_out="$("$wine" reg query "$uninst_key" 2>/dev/null | tr -d '\r')"
if [ ! -f "$lnk" ] || [ ! -f "$menu_dir/Uninstall.lnk" ]; then
  fail "$c: no $app_title.lnk and Uninstall.lnk in the Start menu: $(ls "$menu_dir" 2>&1)"
elif ! LC_ALL=C grep -qaF "$inst_win\\AisFirmwareUpgrade.exe" "$lnk"; then
  fail "$c: the Start-menu entry does not start $inst_win\\AisFirmwareUpgrade.exe"
elif ! printf '%s\n' "$uninst_out" | grep -qE "UninstallString +REG_SZ +\"?${inst_win//\\/\\\\}\\\\Uninstall.exe\"?$" \
     || ! printf '%s\n' "$uninst_out" | grep -qE "DisplayVersion +REG_SZ +$version$"; then
  fail "$c: uninstall entry: $uninst_out"
else
  pass "$c"
fi

c="zip holds the deployable folder"
rm -rf "$work/zip"
if ! unzip -q "$zip" -d "$work/zip"; then
  fail "$c: unzip failed"
else
  top="$work/zip/AisFirmwareUpgrade-$version-win64"
  if [ "$(tree "$top" 2>/dev/null)" = "$(tree "$deploy")" ] && diff -r -q "$top" "$deploy" >/dev/null; then
    pass "$c (AisFirmwareUpgrade-$version-win64/)"
  else
    fail "$c: $(diff -r -q "$top" "$deploy" 2>&1 | head -5)"
  fi
fi

# The program's own log, written as it runs: profile.ini beside it switches
# recording on, in plain text; "logger.log" lands in its working folder,
# the install folder, as when the Start-menu entry starts it.
printf '[Sys_Debug]\nLogTag=record\nEncryptionEnable=false\n' >"$inst_unix/profile.ini"
log="$inst_unix/logger.log"
has_log() { grep -qF -- "$1" "$log" 2>/dev/null; }
# Started directly: "start /wait" through the Start-menu entry loses the
# process when Wine elevates it (Windows 10), and with it the exit code.
run_program() {
  (cd "$inst_unix" && exec timeout 300 "$wine" "$inst_win\\AisFirmwareUpgrade.exe" >/dev/null)
}

# --- Windows 7: start, About, Help, close ----------------------------------------
set_windows_version win7
# PDF files open with a recorder: it writes the path it was handed to a file.
opened_file="$WINEPREFIX/drive_c/help-opened.txt"
"$wine" reg add 'HKLM\Software\Classes\.pdf' /ve /d AisCheckPdf /f >/dev/null 2>&1
"$wine" reg add 'HKLM\Software\Classes\AisCheckPdf\shell\open\command' /ve \
  /d 'C:\windows\system32\cmd.exe /c echo %1> C:\help-opened.txt' /f >/dev/null 2>&1
rm -f "$log"
WINEDEBUG=-all,+loaddll run_program 2>"$work/run7.err" &
launcher=$!
c="Windows 7: the installed program starts"
main=""
if main="$(wait_window "$app_title" 90)"; then
  size="$(window_size "$main")"
  if [ "$size" != 600x500 ]; then
    fail "$c: its window is $size, not 600x500"
  else
    # Painted once the wizard's texts and icons are there.
    shot="$work/windows-wizard-wine.png"
    colours=0
    for _ in $(seq 30); do
      sleep 1
      import -window "$main" "$shot" 2>/dev/null
      colours="$(convert "$shot" -format %k info: 2>/dev/null || echo 0)"
      [ "${colours:-0}" -ge 50 ] && break
    done
    if [ "${colours:-0}" -lt 50 ]; then
      fail "$c: its window is blank ($colours colours): $shot"
    else
      pass "$c: 600x500 window, screenshot $shot"
    fi
  fi
else
  fail "$c: no window \"$app_title\" within 90 s"
fi

c="Windows 7: the start-up check changes nothing"
if has_log "Win OS ver: 6.1" && has_log "Record modified services and registry status" \
   && ! has_log "Init system registry & service" && ! has_log "Set Reg value" && ! grep -q "net stop" "$log"; then
  pass "$c (version 6.1, no sc or net command)"
else
  fail "$c: $(grep -E 'Win OS ver|sysInit|Set Reg|net st' "$log" 2>/dev/null | head -5)"
fi

c="Windows 7: the About box opens and closes"
if [ -n "$main" ]; then
  # Title bar of app/mainwindow.ui: 34-pixel buttons, right-aligned in the
  # 44-pixel bar: report, Help, About, minimise, close.
  click "$main" 509 22
  about=""
  for _ in $(seq 60); do
    about="$(find_window_of_size 460x380 "$main")" && break
    sleep 0.5
  done
  if [ -z "$about" ]; then
    fail "$c: no 460x380 About box after clicking About"
  else
    import -window "$about" "$work/about-wine.png" 2>/dev/null
    # Its own title bar: 35 pixels high, the close button 35 wide at its right end.
    click "$about" 442 17
    gone=no
    for _ in $(seq 20); do
      visible_windows | grep -qx "$about" || { gone=yes; break; }
      sleep 0.5
    done
    if [ $gone = yes ] && visible_windows | grep -qx "$main"; then
      pass "$c"
    else
      fail "$c: the About box stayed open after its close button"
    fi
  fi
else
  fail "$c: no main window"
fi

c="Windows 7: the Help button opens the manual beside the program"
if [ ! -f "$inst_unix/Help/TORV_FW_Manual_EN.pdf" ]; then
  fail "$c: the packages carry no Help/TORV_FW_Manual_EN.pdf"
elif [ -n "$main" ]; then
  click "$main" 471 22
  opened=""
  for _ in $(seq 40); do
    [ -s "$opened_file" ] && { opened="$(tr -d '\r' <"$opened_file" | sed 's/ *$//')"; break; }
    sleep 0.5
  done
  if [ -z "$opened" ]; then
    fail "$c: nothing was opened after clicking Help"
  elif [ "$opened" != "$inst_win\\Help\\TORV_FW_Manual_EN.pdf" ] && [ "$opened" != "\"$inst_win\\Help\\TORV_FW_Manual_EN.pdf\"" ]; then
    fail "$c: opened $opened"
  else
    pass "$c: $opened"
  fi
else
  fail "$c: no main window"
fi

c="Windows 7: the close button ends the program with exit code 0"
if [ -n "$main" ]; then
  click "$main" 577 22
  if wait_ended "$launcher" 60; then
    wait "$launcher"
    rc=$?
    if [ $rc -eq 0 ]; then pass "$c"; else fail "$c: exit code $rc"; fi
  else
    fail "$c: still running 60 s after the close button"
  fi
else
  fail "$c: no main window"
fi
# Whatever outlived a failed check goes, so the next run starts afresh.
kill -0 "$launcher" 2>/dev/null && "$wineserver" -k

c="the program loads every DLL it ships and no other from its folder"
shipped="$(cd "$inst_unix" && find . -iname '*.dll' | sed 's|^\./||; s|/|\\|g' | tr 'A-Z' 'a-z' | LC_ALL=C sort)"
loaded="$(tr -d '\r' <"$work/run7.err" | sed -n 's/.*Loaded L"\(.*\)" at [0-9A-Fa-f]*: native$/\1/p' \
          | sed 's/\\\\/\\/g' | tr 'A-Z' 'a-z' | grep -F "$(echo "$inst_win\\" | tr 'A-Z' 'a-z')" \
          | sed "s|^$(echo "$inst_win\\" | tr 'A-Z' 'a-z' | sed 's/\\/\\\\/g')||" | grep -v '\.exe$' | LC_ALL=C sort -u)"
if [ -z "$loaded" ]; then
  fail "$c: no DLL load was traced"
elif [ "$shipped" = "$loaded" ]; then
  pass "$c ($(echo "$loaded" | wc -l): $(echo $loaded))"
else
  fail "$c: shipped but not loaded: $(comm -23 <(echo "$shipped") <(echo "$loaded") | tr '\n' ' ')" \
       "loaded but not shipped: $(comm -13 <(echo "$shipped") <(echo "$loaded") | tr '\n' ' ')"
fi

# --- Windows 10 without the four services --------------------------------------
# Windows 8 and later: the start-up check stops and disables the services
# before the wizard opens. A new prefix has none of them, so their states
# read 0, the target state is never reached, and after its last attempt the
# program says so, offers the report and ends with exit code 0 instead of
# running with a host it could not prepare.
set_windows_version win10
rm -f "$log"
run_program 2>/dev/null &
launcher=$!
# Every message box is answered with its default button, and a save dialog,
# should one open, is cancelled. Each is counted once, by its window.
seen=""
boxes=0
dialogs=0
end=$((SECONDS + 120))
while kill -0 "$launcher" 2>/dev/null && [ $SECONDS -lt $end ]; do
  for w in $(xdotool search --onlyvisible --name '^(Information|Log)$' 2>/dev/null); do
    name="$(xdotool getwindowname "$w" 2>/dev/null)"
    case " $seen " in *" $w "*) ;; *)
      seen+=" $w"
      if [ "$name" = Information ]; then boxes=$((boxes + 1)); else dialogs=$((dialogs + 1)); fi ;;
    esac
    if [ "$name" = Information ]; then key=Return; else key=Escape; fi
    xdotool key --window "$w" "$key" 2>/dev/null
  done
  # What was on the screen, for a failure's report.
  for w in $(visible_windows); do
    echo "$SECONDS s: $w \"$(xdotool getwindowname "$w" 2>/dev/null)\" $(window_size "$w")"
  done >>"$work/windows-win10.txt"
  sleep 1
done
c="Windows 10 without the services: the start-up check gives up and the program ends with exit code 0"
if kill -0 "$launcher" 2>/dev/null; then
  fail "$c: still running after 120 s ($boxes message boxes); last on the screen: $(tail -1 "$work/windows-win10.txt"); last log line: $(tail -1 "$log" 2>/dev/null)"
  "$wineserver" -k
else
  wait "$launcher"
  rc=$?
  if [ $rc -ne 0 ]; then
    fail "$c: exit code $rc"
  elif ! has_log "Win OS ver: 10.0" || ! has_log "OpenService() failed : 1060" \
       || ! has_log "Init system status time out !"; then
    fail "$c: the log does not show the version, the missing services and the give-up: $(grep -E 'Win OS|OpenService|time out' "$log" 2>/dev/null | head -5)"
  elif [ $boxes -ne 3 ] || ! has_log "Show generate log msgbox"; then
    fail "$c: expected the power-off note, the failure box and the report offer (3 boxes), saw $boxes"
  elif [ $dialogs -ne 0 ] || has_log "Export File"; then
    fail "$c: the report offer's default button (No) went on to the report ($dialogs save dialog windows)"
  elif ! has_log "Set Reg value: sc config WSearch start= auto" || ! has_log "Set Reg value: sc config StorSvc start= auto"; then
    fail "$c: the start values were not handed back: $(grep 'Set Reg value' "$log" | tail -2)"
  else
    pass "$c ($boxes message boxes, report declined by default; start values handed back)"
  fi
fi
set_windows_version win7

# --- uninstall -------------------------------------------------------------------
c="uninstall"
cp "$log" "$work/logger-win10.log" 2>/dev/null; rm -f "$inst_unix/profile.ini" "$log"
timeout 120 "$wine" "$inst_win\\Uninstall.exe" /S >"$work/uninstall.log" 2>&1
# The uninstaller runs on from a copy in the temporary folder.
"$wineserver" -w
if [ -e "$inst_unix" ]; then
  fail "$c: $inst_win is still there: $(tree "$inst_unix" | head -5 | tr '\n' ' ')"
elif [ -e "$menu_dir" ]; then
  fail "$c: the Start-menu folder is still there"
elif "$wine" reg query "$uninst_key" >/dev/null 2>&1; then
  fail "$c: the uninstall entry is still there"
else
  pass "$c: folder, Start-menu entry and uninstall entry removed"
fi

report_end
