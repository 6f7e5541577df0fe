#!/usr/bin/env bash
# "Install and start": the Windows packages of scripts/build-windows.sh under
# Wine 10 (Debian 13's, in the tree of scripts/trixie-tree.sh; the machine's
# own Wine with AIS_WINE=host), under Xvfb, in one fresh prefix whose steps build
# on each other (an installation, then its use, then its removal):
#   - the installer asks for administrator rights; an earlier version (the
#     same configuration packed by cpack as 1.5.2 with a file Qt5Xml.dll
#     that the new one lacks) installs silently (/S) into Program Files: its
#     folder plus its uninstaller, a Start-menu entry and an uninstall entry;
#   - the operator adds files (FirmwareBin\, profile.ini, a saved report);
#     the new version installs silently over the earlier one: afterwards the
#     folder is exactly the deployable folder, its uninstaller and the
#     operator's files, unchanged; the new version ran the system folder's
#     icacls.exe to give the folder the access of Program Files (a
#     recording stand-in, sim/win/icaclsrecord.cpp: Wine's icacls is a stub
#     and Wine keeps no access lists); the zip holds the same deployable
#     folder;
#     nothing else on the computer changed but the Start-menu folder, the
#     uninstall entry and the key HKLM\Software\TORV\AisFirmwareUpgrade;
#   - Windows 7: the installed program shows
#     its 600 x 500 wizard, loads every DLL it ships and no other of its
#     folder, changes no service, opens and closes its About box, opens the
#     manual in Help/ beside it from its Help button, and its close button
#     ends it with exit code 0; while it runs, a silent install and a silent
#     uninstall each end with exit code 2 and change no file and no key;
#   - Windows 10, where the four services it stops do not exist (as in any
#     new prefix): the start-up check cannot reach its target, says so, offers
#     the report and ends with exit code 0 (the hand-back of the start values
#     is proven by the services case of scripts/wine-program-check.sh);
#   - the uninstaller: afterwards the Program Files folders, ProgramData,
#     the public Desktop and the users' Start menus hold what they held
#     before the first install plus the operator's files and the program's
#     logger.log in the install folder, and HKLM\Software is as it was
#     before the first install (but for Wine's record of the network
#     adapters, see snapshot_reg);
#   - the installer run with its window offers English and every shipped
#     language in its language dialog.
# Each run of the program has heap free checking, no crash debugger and
# Wine's exception log: an access violation in any of its threads, even one
# that something caught, fails the step that ran it.
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

# The same configuration packed again by cpack, as an earlier release: the
# deployable folder and a file the new version lacks (zlib instead of LZMA,
# to save time).
earlier_version=1.5.2
earlier_extra=Qt5Xml.dll
earlier_setup="$work/earlier/AisFirmwareUpgrade-$earlier_version-win64-setup.exe"

# On this machine: the packages, and the earlier version packed by cpack;
# then the rest in the Debian 13 tree with Wine 10.
if [ -z "${AIS_WINE_TREE_INSIDE:-}" ]; then
  if [ ! -f "$setup" ] || [ ! -f "$zip" ] || [ ! -d "$deploy" ]; then
    fail "no packages in $out/packages: run scripts/build-windows.sh first"
    report_end
  fi
  if [ ! -f "$out/cross/CPackConfig.cmake" ] || ! command -v cpack >/dev/null 2>&1; then
    fail "no cpack or no $out/cross/CPackConfig.cmake to pack the earlier version from: run scripts/build-windows.sh first"
    report_end
  fi

  rm -rf "$work"
  mkdir -p "$work"
  . "$root/scripts/wine-common.sh"
  if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1; then
    fail "x86_64-w64-mingw32-g++-posix is missing (Debian package g++-mingw-w64-x86-64)"
    report_end
  fi
  if ! build_win_standins "$work/bin" icaclsrecord; then
    fail "could not build the recording icacls.exe (sim/win/icaclsrecord.cpp)"
    report_end
  fi
  # --- the earlier version ---------------------------------------------------------
  mkdir -p "$work/earlier-extra"
  printf 'a library only the earlier version shipped\r\n' >"$work/earlier-extra/$earlier_extra"
  (cd "$work" && cpack --config "$out/cross/CPackConfig.cmake" -G NSIS -B "$work/earlier" \
     -D CPACK_INSTALL_CMAKE_PROJECTS= \
     -D "CPACK_INSTALLED_DIRECTORIES=$deploy;.;$work/earlier-extra;." \
     -D "CPACK_PACKAGE_VERSION=$earlier_version" \
     -D "CPACK_PACKAGE_FILE_NAME=AisFirmwareUpgrade-$earlier_version-win64" \
     -D "CPACK_NSIS_PACKAGE_NAME=AIS Firmware Upgrade $earlier_version" \
     -D CPACK_NSIS_COMPRESSOR=zlib) >"$work/cpack-earlier.log" 2>&1
  rc=$?
  if [ $rc -ne 0 ] || [ ! -f "$earlier_setup" ]; then
    tail -20 "$work/cpack-earlier.log"
    fail "cpack could not pack the earlier version (exit code $rc)"
    report_end
  fi

  . "$root/scripts/trixie-tree.sh"
  wine_tree_enter "$root/scripts/wine-install-check.sh"
fi

. "$root/scripts/wine-common.sh"
if [ -z "$wine" ] || [ -z "$wineserver" ] || ! command -v Xvfb >/dev/null 2>&1; then
  skip_all "Wine or Xvfb is not installed (Debian packages wine64, xvfb)"
fi
say_wine_version
for tool in xdotool import convert unzip; do
  command -v "$tool" >/dev/null 2>&1 || { fail "$tool is missing (Debian packages xdotool, imagemagick, unzip)"; report_end; }
done
export WINEPREFIX="$work/prefix"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko: the program needs neither, and their installers would look for a network.
export WINEDLLOVERRIDES="mscoree=;mshtml="
unset WAYLAND_DISPLAY

# --- the prefix ------------------------------------------------------------------
xvfb_pid=""
cleanup() {
  "$wineserver" -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
start_xvfb "$work" || { fail "Xvfb did not start: $(cat "$work/xvfb.log")"; report_end; }

if ! fresh_wine_prefix "$work/wineboot.log"; then
  tail -20 "$work/wineboot.log"
  fail "wineboot could not create the prefix"
  report_end
fi
install_tahoma || say "note: no Tahoma (Debian package fonts-wine); the screenshot shows a substitute"
{ printf 'REGEDIT4\r\n\r\n'; program_prefix_reg; } >"$work/program.reg"
"$wine" regedit /S 'Z:'"${work//\//\\}"'\program.reg' >/dev/null 2>&1
# PDF files open with a recorder: it writes the path it was handed to a file
# (set before the first snapshot: it is the check's, not the packages').
opened_file="$WINEPREFIX/drive_c/help-opened.txt"
"$wine" reg add 'HKLM\Software\Classes\.pdf' /ve /d AisCheckPdf /f >/dev/null 2>&1
"$wine" reg add 'HKLM\Software\Classes\AisCheckPdf\shell\open\command' /ve \
  /d 'C:\windows\system32\cmd.exe /c echo %1> C:\help-opened.txt' /f >/dev/null 2>&1

# The system folder's icacls.exe records its command line instead (Wine's
# is a stub, and Wine keeps no access lists).
icacls_calls="$WINEPREFIX/drive_c/icacls-calls.txt"
if ! cp "$work/bin/icaclsrecord.exe" "$WINEPREFIX/drive_c/windows/system32/icacls.exe" \
   || ! "$wine" reg add 'HKCU\Software\Wine\DllOverrides' /v icacls.exe /d native /f >/dev/null 2>&1; then
  fail "could not put the recording icacls.exe in place"
  report_end
fi

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
    grep -qx "$w" < <(printf '%s\n' $2) && continue
    [ "$(window_size "$w")" = "$1" ] && { echo "$w"; return 0; }
  done
  return 1
}
# The pointer settles on the spot before the click.
click() { xdotool mousemove --window "$1" "$2" "$3" sleep 0.3 click 1; }
# Presses KEY in window W.
press() { timeout 10 xdotool windowfocus --sync "$1" key "$2" 2>/dev/null; }
# Whether the launcher in the background (pid $1) has ended within $2 seconds.
wait_ended() {
  local end=$((SECONDS + $2))
  while kill -0 "$1" 2>/dev/null; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.5
  done
  return 0
}

# --- what the packages may change ------------------------------------------------
inst_unix="$WINEPREFIX/drive_c/Program Files/$app_title"
inst_win="C:\\Program Files\\$app_title"
inst_rel="drive_c/Program Files/$app_title"
menu_dir="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$app_title"
uninst_key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AisFirmwareUpgrade"
tree() { (cd "$1" && find . -type f | LC_ALL=C sort); }

# Every entry (type, path) below the folders an installer writes to: the
# Program Files folders, ProgramData (the Start menu for all users), the
# public Desktop and the users' Start menus. (A user's own Desktop is a link
# to the Unix home in Wine.)
snapshot_files() { # file
  (cd "$WINEPREFIX" && find "drive_c/Program Files" "drive_c/Program Files (x86)" drive_c/ProgramData \
     drive_c/users/Public/Desktop "drive_c/users/"*"/AppData/Roaming/Microsoft/Windows/Start Menu" \
     -printf '%y %p\n' 2>/dev/null) | LC_ALL=C sort >"$1"
}
# Exported registry lines on standard input without the keys whose full
# names match the extended regular expression $1, and their values.
without_keys() { # regex
  re="$1" awk 'BEGIN { re = ENVIRON["re"] } /^\[/ { skip = (substr($0, 2, length($0) - 2) ~ re) } !skip'
}
# HKLM\Software, exported by Wine's reg (64-bit view, Wow6432Node within),
# but for the keys under NetworkCards: Wine's own record of the machine's
# network adapters, which Wine writes when a program first starts its
# network layer (the program loads Qt5Network.dll); Windows has it from its
# setup on. Nor the Fonts keys (Windows and Windows NT): Wine 10 rewrites
# its Tahoma entries once the prefix's own copy of the font is found,
# whenever that is.
snapshot_reg() { # file
  "$wine" reg export 'HKLM\Software' 'Z:'"${1//\//\\}"'.utf16' /y >/dev/null 2>&1 \
    && iconv -f UTF-16 -t UTF-8 "$1.utf16" | tr -d '\r' \
       | without_keys '\\Windows( NT)?\\CurrentVersion\\(NetworkCards\\|Fonts$)' >"$1"
  rm -f "$1.utf16"
}
# Both, with the contents of the install folder, but not the log a running
# program may be writing.
snapshot_state() { # file
  snapshot_files "$1.files"
  snapshot_reg "$1.reg"
  { cat "$1.files"; echo; cat "$1.reg"; echo
    [ -d "$inst_unix" ] && (cd "$inst_unix" && find . -type f ! -name logger.log -print0 | LC_ALL=C sort -z | xargs -0 sha1sum)
  } >"$1"
}

# The differences between the install folder and the deployable folder
# plus Uninstall.exe and the files named; nothing when there are none.
install_folder_differs() { # file...
  local f
  diff <({ tree "$deploy"; echo ./Uninstall.exe; for f in "$@"; do echo "./$f"; done; } | LC_ALL=C sort) \
       <(tree "$inst_unix") | grep '^[<>]'
  while read -r f; do
    cmp -s "$deploy/$f" "$inst_unix/$f" || echo "differs: $f"
  done < <(tree "$deploy")
}

# The files the operator adds to the install folder: profile.ini (it also
# switches the program's log on, in plain text: logger.log lands in the
# install folder, the program's working folder as when the Start-menu entry
# starts it), a report saved there and, unless the packages carry one, a
# firmware package in FirmwareBin\. Their copies in $work/operator are the
# originals.
operator_files=(profile.ini FW_Log.txt)
[ -d "$deploy/FirmwareBin" ] || operator_files+=(FirmwareBin/Firmware.csv FirmwareBin/App_470.Sbin)
mkdir -p "$work/operator/FirmwareBin"
printf '[Sys_Debug]\nLogTag=record\nEncryptionEnable=false\n' >"$work/operator/profile.ini"
printf '*******************************************\r\n\tLumora-470 Firmware Upgrade Log\r\n' >"$work/operator/FW_Log.txt"
printf 'Version,V1.3.0.01-A\n' >"$work/operator/FirmwareBin/Firmware.csv"
{ printf 'AISFW,AIS-B-470,V1.3.0.01-A\n'; head -c 4000 /dev/urandom; } >"$work/operator/FirmwareBin/App_470.Sbin"
add_operator_files() {
  local f
  for f in "${operator_files[@]}"; do
    mkdir -p "$(dirname "$inst_unix/$f")"
    cp "$work/operator/$f" "$inst_unix/$f"
  done
}
# The operator's files that are missing or changed; nothing when none is.
operator_files_changed() {
  local f
  for f in "${operator_files[@]}"; do cmp -s "$work/operator/$f" "$inst_unix/$f" || echo "$f"; done
}
display_version() {
  "$wine" reg query "$uninst_key" /v DisplayVersion 2>/dev/null | tr -d '\r' | sed -n 's/.*DisplayVersion *REG_SZ *//p'
}

# --- installer and zip -----------------------------------------------------------
c="installer asks for administrator rights"
if LC_ALL=C grep -qaF 'level="requireAdministrator"' "$setup"; then
  pass "$c (requireAdministrator in its manifest)"
else
  fail "$c: $setup carries no requireAdministrator manifest"
fi

snapshot_files "$work/files-before.txt"
snapshot_reg "$work/reg-before.txt"
if [ ! -s "$work/reg-before.txt" ]; then
  fail "Wine's reg exported nothing of HKLM\\Software"
  report_end
fi

c="silent install of an earlier version ($earlier_version, with $earlier_extra that the new one lacks)"
timeout 120 "$wine" "$earlier_setup" /S >"$work/setup-earlier.log" 2>&1
rc=$?
if [ $rc -ne 0 ]; then
  fail "$c: the installer ended with $rc"
elif [ ! -d "$inst_unix" ]; then
  fail "$c: nothing in $inst_win"
elif differences="$(install_folder_differs "$earlier_extra")"; [ -n "$differences" ]; then
  fail "$c: $inst_win is not the deployable folder plus $earlier_extra and Uninstall.exe: $(echo $differences)"
elif [ "$(display_version)" != "$earlier_version" ]; then
  fail "$c: the uninstall entry gives version '$(display_version)'"
else
  pass "$c: $inst_win holds it and its uninstaller; uninstall entry $earlier_version"
fi

add_operator_files
# Only the new version's calls count: the earlier one made its own.
rm -f "$icacls_calls"
c="silent install over the earlier version"
timeout 120 "$wine" "$setup" /S >"$work/setup.log" 2>&1
rc=$?
if [ $rc -ne 0 ]; then
  fail "$c: the installer ended with $rc"
elif [ -e "$inst_unix/$earlier_extra" ]; then
  fail "$c: the earlier version's $earlier_extra is still in $inst_win"
elif differences="$(install_folder_differs "${operator_files[@]}")"; [ -n "$differences" ]; then
  fail "$c: $inst_win is not the deployable folder, Uninstall.exe and the operator's files: $(echo $differences)"
elif changed="$(operator_files_changed)"; [ -n "$changed" ]; then
  fail "$c: the operator's files were changed: $(echo $changed)"
else
  firmware_note="no FirmwareBin/ of its own"
  [ -d "$deploy/FirmwareBin" ] && firmware_note="FirmwareBin/ from the named folder"
  pass "$c: $inst_win holds the deployable folder ($(tree "$deploy" | wc -l) files, $firmware_note), Uninstall.exe and the operator's ${operator_files[*]}, unchanged; $earlier_extra is gone"
fi

c="installer: the install folder gets the access of Program Files"
want="\"C:\\windows\\system32\\icacls.exe\" \"$inst_win\" /inheritance:r /grant:r *S-1-5-32-544:(OI)(CI)F *S-1-5-18:(OI)(CI)F *S-1-5-32-545:(OI)(CI)RX /Q"
if grep -qixF -- "$want" <<<"$(tr -d '\r' 2>/dev/null <"$icacls_calls")"; then
  pass "$c: it ran $want (what icacls does to the folder Wine cannot show)"
else
  fail "$c: no such icacls call; calls: $(tr '\r\n' '  ' 2>/dev/null <"$icacls_calls")"
fi

c="Start-menu entry and uninstall entry"
lnk="$menu_dir/$app_title.lnk"
uninst_out="$("$wine" reg query "$uninst_key" 2>/dev/null | tr -d '\r')"
if [ ! -f "$lnk" ] || [ ! -f "$menu_dir/Uninstall.lnk" ]; then
  fail "$c: no $app_title.lnk and Uninstall.lnk in the Start menu: $(ls "$menu_dir" 2>&1)"
elif ! LC_ALL=C grep -qaF "$inst_win\\AisFirmwareUpgrade.exe" "$lnk"; then
  fail "$c: the Start-menu entry does not start $inst_win\\AisFirmwareUpgrade.exe"
elif ! grep -qE "UninstallString +REG_SZ +\"?${inst_win//\\/\\\\}\\\\Uninstall.exe\"?$" <<<"$uninst_out" \
     || ! grep -qE "DisplayVersion +REG_SZ +$version$" <<<"$uninst_out"; then
  fail "$c: uninstall entry: $uninst_out"
else
  pass "$c"
fi

# Against the state before the first install: files only in the install
# folder and the Start-menu folder, keys only the uninstall entry and the
# vendor's key with the install folder and the Start-menu folder's name.
c="the installer changes nothing else"
menu_rel="drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$app_title"
own_keys='^HKEY_LOCAL_MACHINE\\Software\\(TORV|TORV\\AisFirmwareUpgrade|Microsoft\\Windows\\CurrentVersion\\Uninstall\\AisFirmwareUpgrade)$'
snapshot_files "$work/files-installed.txt"
snapshot_reg "$work/reg-installed.txt"
files_else="$(diff "$work/files-before.txt" "$work/files-installed.txt" | grep '^[<>]' \
              | grep -vE "^> . ($inst_rel|$menu_rel)(/|\$)")"
reg_else="$(without_keys "$own_keys" <"$work/reg-installed.txt" | diff "$work/reg-before.txt" - | grep '^[<>]')"
vendor_key="$("$wine" reg query 'HKLM\Software\TORV\AisFirmwareUpgrade' 2>/dev/null | tr -d '\r')"
if [ -n "$files_else" ]; then
  fail "$c: files changed outside the install folder and the Start-menu folder" "$(head -5 <<<"$files_else" | tr '\n' ' ')"
elif [ -n "$reg_else" ]; then
  fail "$c: keys changed in HKLM\\Software besides its own" "$(head -5 <<<"$reg_else" | tr '\n' ' ')"
elif ! grep -qE "^ +\(Default\) +REG_SZ +${inst_win//\\/\\\\}$" <<<"$vendor_key" \
     || ! grep -qE "^ +Start Menu Folder +REG_SZ +$app_title$" <<<"$vendor_key"; then
  fail "$c: HKLM\\Software\\TORV\\AisFirmwareUpgrade does not hold the install folder and the Start-menu folder" "$vendor_key"
else
  pass "$c: files only in its folder and the Start-menu folder, keys only the uninstall entry and HKLM\\Software\\TORV\\AisFirmwareUpgrade"
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

log="$inst_unix/logger.log"
has_log() { grep -qF -- "$1" "$log" 2>/dev/null; }
# Started directly: "start /wait" through the Start-menu entry loses the
# process when Wine elevates it (Windows 10), and with it the exit code.
# Wine's exception log (warn+seh) on standard error.
run_program() {
  (cd "$inst_unix" && exec timeout 300 "$wine" "$inst_win\\AisFirmwareUpgrade.exe" >/dev/null)
}

# --- Windows 7: start, About, Help, install and uninstall while it runs, close ---
set_windows_version win7
rm -f "$log"
WINEDEBUG=-all,+loaddll,warn+seh run_program 2>"$work/run7.err" &
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
      grep -qx "$about" <<<"$(visible_windows)" || { gone=yes; break; }
      sleep 0.5
    done
    if [ $gone = yes ] && grep -qx "$main" <<<"$(visible_windows)"; then
      pass "$c"
    elif [[ "$("$wine" --version)" != wine-8.* ]]; then
      # Seen under Wine 10 on Xvfb: the pointer lights the close button up,
      # but neither it nor the box's Close button nor Escape reaches the
      # box, while the main window behind it takes its clicks. Wine 8 took
      # the click.
      known_limit "$c: the About box opens, but under $("$wine" --version) it takes no click or key (Wine 8 closed it with its close button)"
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
rm -f "$opened_file"

# While the program runs, its files cannot be replaced: a silent install or
# uninstall must stop before it changes anything (exit code 2, "aborted by
# the script"). The uninstaller is run in place (_?=), so that its exit code
# is its own and not that of the copy it otherwise starts from the
# temporary folder. "_?=" must stand unquoted and last on the command line:
# handed to Wine word by word, it is joined with plain blanks.
read -ra in_place <<<"_?=$inst_win"
for what in install uninstall; do
  c="Windows 7: a silent $what while the program runs stops and changes nothing"
  if ! kill -0 "$launcher" 2>/dev/null; then
    fail "$c: the program is not running"
    continue
  fi
  snapshot_state "$work/running-before-$what"
  if [ $what = install ]; then
    timeout 120 "$wine" "$setup" /S >"$work/running-$what.log" 2>&1
  else
    timeout 120 "$wine" "$inst_win\\Uninstall.exe" /S "${in_place[@]}" >"$work/running-$what.log" 2>&1
  fi
  rc=$?
  snapshot_state "$work/running-after-$what"
  if ! kill -0 "$launcher" 2>/dev/null; then
    fail "$c: the program ended meanwhile, so this proves nothing (exit code $rc)" "$(tail -1 "$work/run7.err")"
  elif [ $rc -ne 2 ]; then
    fail "$c: exit code $rc, not 2"
  elif ! changes="$(diff "$work/running-before-$what" "$work/running-after-$what")"; then
    fail "$c: it changed $(grep -c '^[<>]' <<<"$changes") lines of the files and HKLM\\Software" "$(grep '^[<>]' <<<"$changes" | head -5 | tr '\n' ' ')"
  else
    pass "$c (exit code 2; files, their contents and HKLM\\Software unchanged)"
  fi
done

# The same, run as the operator runs them, on the screen: the installer
# through its pages with their default buttons, the uninstaller from its
# confirmation page, to the question "AIS Firmware Upgrade is running. Close
# it, then press Retry." Retry while the program still runs asks again;
# Cancel ends the run with exit code 2, and nothing changed.
# The windows whose titles begin with $1, one a line: the installer's page
# window (its title gains a blank after the first page) and its message
# boxes.
titled() { xdotool search --onlyvisible --name "^$1" 2>/dev/null; }
# The question: a window of the title other than the page window $2.
question_box() { titled "$1" | grep -vx "$2" | head -1 | grep .; }
retry_then_cancel() { # what title command...
  local what="$1" title="$2" pages="" box text rc=timeout asked=0 pid
  shift 2
  c="Windows 7: the $what on the screen while the program runs: Retry asks again, Cancel stops it and changes nothing"
  snapshot_state "$work/retry-before-$what"
  timeout 180 "$@" >"$work/retry-$what.log" 2>&1 &
  pid=$!
  for _ in $(seq 60); do pages="$(titled "$title" | head -1)" && [ -n "$pages" ] && break; sleep 1; done
  if [ -z "$pages" ]; then
    fail "$c: no window \"$title\""
    kill "$pid" 2>/dev/null
    return
  fi
  # Each page's default button, until the question comes.
  for _ in $(seq 8); do
    sleep 2
    box="$(question_box "$title" "$pages")" && break
    press "$pages" Return
  done
  if [ -n "$box" ]; then
    sleep 0.5
    import -window "$box" "$work/retry-$what.png" 2>/dev/null
    convert "$work/retry-$what.png" -scale 200% "$work/retry-$what.ocr.png"
    text="$(tesseract "$work/retry-$what.ocr.png" - 2>/dev/null | tr -s ' \n' ' ')"
    if [[ "$text" == *"is running"* && "$text" == *Retry* ]]; then
      asked=1
      press "$box" Return
      # Gone, and asked again: the program still runs.
      for _ in $(seq 20); do grep -qx "$box" <<<"$(titled "$title")" || break; sleep 0.5; done
      wait_for_box() { box="$(question_box "$title" "$pages")"; }
      for _ in $(seq 40); do wait_for_box && break; sleep 0.5; done
      [ -n "$box" ] && asked=2 && press "$box" Escape
    fi
  fi
  # Aborted, the installer ends; should its page window wait, its only
  # button left is Cancel, named Close: Escape.
  for i in $(seq 20); do
    if ! kill -0 "$pid" 2>/dev/null; then wait "$pid"; rc=$?; break; fi
    sleep 1
    [ "$i" = 5 ] && import -window "$pages" "$work/retry-$what-aborted.png" 2>/dev/null
    grep -qx "$pages" <<<"$(titled "$title")" && press "$pages" Escape
  done
  kill -0 "$pid" 2>/dev/null && { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; }
  snapshot_state "$work/retry-after-$what"
  if [ $asked = 0 ]; then
    fail "$c: no question \"AIS Firmware Upgrade is running ... Retry\" came" "box: ${text:-none}"
  elif [ $asked = 1 ]; then
    fail "$c: after Retry, with the program still running, the question did not come again"
  elif [ "$rc" != 2 ]; then
    fail "$c: after Cancel it ended with exit code $rc, not 2"
  elif ! kill -0 "$launcher" 2>/dev/null; then
    fail "$c: the program ended meanwhile, so this proves nothing"
  elif ! changes="$(diff "$work/retry-before-$what" "$work/retry-after-$what")"; then
    fail "$c: it changed $(grep -c '^[<>]' <<<"$changes") lines of the files and HKLM\\Software" "$(grep '^[<>]' <<<"$changes" | head -5 | tr '\n' ' ')"
  else
    pass "$c (asked twice, exit code 2; files, their contents and HKLM\\Software unchanged)"
  fi
}
if kill -0 "$launcher" 2>/dev/null; then
  retry_then_cancel installer "AIS Firmware Upgrade $version Setup" "$wine" "$setup"
  retry_then_cancel uninstaller "AIS Firmware Upgrade $version Uninstall" "$wine" "$inst_win\\Uninstall.exe" "${in_place[@]}"
else
  fail "Windows 7: the installer and uninstaller on the screen while the program runs: the program is not running"
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
check_wine_faults "Windows 7" "$work/run7.err"

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
WINEDEBUG=-all,warn+seh run_program 2>"$work/run10.err" &
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
  else
    pass "$c ($boxes message boxes, report declined by default)"
  fi
fi
check_wine_faults "Windows 10" "$work/run10.err"
set_windows_version win7

# --- uninstall -------------------------------------------------------------------
# Afterwards the folders and HKLM\Software are as before the first install,
# but for the install folder holding what was added to it after the
# install: the operator's files and the program's logger.log.
c="uninstall"
cp "$log" "$work/logger-win10.log" 2>/dev/null
timeout 120 "$wine" "$inst_win\\Uninstall.exe" /S >"$work/uninstall.log" 2>&1
# The uninstaller runs on from a copy in the temporary folder.
"$wineserver" -w
snapshot_files "$work/files-after.txt"
snapshot_reg "$work/reg-after.txt"
{
  cat "$work/files-before.txt"
  echo "d $inst_rel"
  echo "f $inst_rel/logger.log"
  for f in "${operator_files[@]}"; do
    [ "$(dirname "$f")" = . ] || echo "d $inst_rel/$(dirname "$f")"
    echo "f $inst_rel/$f"
  done
} | LC_ALL=C sort -u >"$work/files-expected.txt"
if ! files_diff="$(diff "$work/files-expected.txt" "$work/files-after.txt")"; then
  fail "$c: the folders are not as before the install plus the operator's files and logger.log" \
       "$(grep '^[<>]' <<<"$files_diff" | head -8 | tr '\n' ' ')"
elif changed="$(operator_files_changed)"; [ -n "$changed" ]; then
  fail "$c: the operator's files were changed: $(echo $changed)"
elif ! reg_diff="$(diff "$work/reg-before.txt" "$work/reg-after.txt")"; then
  fail "$c: HKLM\\Software is not as before the install" "$(grep '^[<>]' <<<"$reg_diff" | head -8 | tr '\n' ' ')"
else
  pass "$c: folders and HKLM\\Software as before the install; $inst_win keeps only ${operator_files[*]} and logger.log"
fi


# The installer offers the program's languages: run with its window (the
# checks above run it silently, which asks nothing), it opens NSIS's
# language dialog, whose list holds English and each shipped language, in
# its own name (pictured with the list open); Escape there ends it before
# anything is done. Every build ships languages: finding none fails.
c="the installer offers the languages"
shipped_codes="$(shipped_languages "$out")"
timeout 120 "$wine" "$setup" >"$work/setup-gui.log" 2>&1 &
gui_pid=$!
if [ -z "$shipped_codes" ]; then
  dialog="$(wait_window 'Installer Language' 20)" && timeout 10 xdotool windowfocus --sync "$dialog" key Escape 2>/dev/null
  fail "$c: no shipped language found in $out/cross/ui/translations.qrc"
elif ! dialog="$(wait_window 'Installer Language' 60)"; then
  fail "$c: no language dialog ($(wc -l <<<"$shipped_codes") languages shipped besides English)"
else
  # Its entries counted by stepping through the list from the first one
  # until the picture of the dialog no longer changes.
  timeout 10 xdotool windowfocus --sync "$dialog" key Home 2>/dev/null
  sleep 0.3
  offered=1
  previous="$(timeout 10 import -window "$dialog" png:- 2>/dev/null | md5sum)"
  while [ $offered -le 60 ]; do
    timeout 10 xdotool key Down 2>/dev/null
    sleep 0.3
    current="$(timeout 10 import -window "$dialog" png:- 2>/dev/null | md5sum)"
    [ "$current" = "$previous" ] && break
    offered=$((offered + 1))
    previous="$current"
  done
  timeout 10 xdotool key alt+Down 2>/dev/null
  sleep 1
  timeout 10 import -window root "$work/installer-languages.png" 2>/dev/null
  wanted_count=$(( $(wc -l <<<"$shipped_codes") + 1 ))
  if [ "$offered" -eq "$wanted_count" ]; then
    pass "$c: its language dialog offers $offered languages, English and $(echo $shipped_codes) (installer-languages.png)"
  else
    fail "$c: its language dialog offers $offered languages, expected $wanted_count (English and $(echo $shipped_codes))"
  fi
  # Escape closes the list, then cancels the dialog: the installer ends.
  timeout 10 xdotool key Escape 2>/dev/null
  sleep 0.5
  timeout 10 xdotool search --onlyvisible --name '^Installer Language$' key Escape 2>/dev/null
fi
wait_ended "$gui_pid" 30 || kill "$gui_pid" 2>/dev/null
wait "$gui_pid" 2>/dev/null
report_end
