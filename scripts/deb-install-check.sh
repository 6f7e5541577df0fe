#!/usr/bin/env bash
# Installs the Debian package on this machine with apt-get, runs the installed
# program as an ordinary user ("nobody") under Xvfb through a whole upgrade of
# the simulated transponder, and removes the package again, leaving the
# machine as it found it. Needs root. Ends with "N passed, N failed, ...".
#
#   scripts/deb-install-check.sh [package.deb]
#
# Without a package it builds one with scripts/build-deb.sh, without firmware.
# The simulator's firmware package is put into the installed FirmwareBin/ for
# the run only and removed before the package. The simulator and the shims of
# the fake USB serial ports come from the plain build in build/
# (AIS_SIM_BUILD_DIR), built when missing.
#
# The run, in a mount namespace of its own: the simulator on a umockdev fake
# USB port, the installed program started through its launcher, its buttons
# pressed with xdotool; on the bootloader command a tmpfs named "AIS B CS"
# (through a by-label link in the fake /dev) is mounted as the volume, with a
# FAT16 image standing for its block device, which the ordinary user may not
# write.
set -uo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
. "$root/scripts/check-report.sh"
start_time=$SECONDS

PKG=ais-firmware-upgrade
APPDIR=/usr/lib/ais-firmware-upgrade
LAUNCHER=/usr/bin/ais-firmware-upgrade
APP_ID=com.torv.AisFirmwareUpgrade
RULE=/usr/lib/udev/rules.d/70-ais-firmware-upgrade.rules
RUN_USER=nobody
OLD_FW=V1.2.0.00-A
NEW_FW=V1.3.0.01-A
# Window coordinates of the buttons (the window is a fixed 600 x 500).
START_XY="509 448"   # Start, Next and Finish share the place
HELP_XY="471 21"
CLOSE_XY="577 21"

if [ "$(id -u)" -ne 0 ]; then
  echo "deb-install-check: needs root (apt-get, mounts, a second user)" >&2
  exit 2
fi

# ---- inner part: the run in its own mount namespace -----------------------
if [ "${1:-}" = "--run-in-namespace" ]; then
  W="$2"
  report_init deb-install-check "$W/results"
  # wait_for FILE PATTERN SECONDS: true once FILE holds a line with PATTERN.
  wait_for() {
    local end=$((SECONDS + $3))
    while [ $SECONDS -lt $end ]; do
      grep -qF -- "$2" "$1" 2>/dev/null && return 0
      sleep 0.2
    done
    return 1
  }
  as_user() { setpriv --reuid="$RUN_USER" --regid="$(id -g "$RUN_USER")" --clear-groups "$@"; }
  click() { xdotool mousemove --window "$wid" $1 click 1; }
  shot() { import -window root -crop 600x500+0+0 +repage "$W/shot-$1.png" 2>/dev/null || true; }
  pids=()
  cleanup_inner() {
    exec 7>&- 2>/dev/null
    local p
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
  }
  trap cleanup_inner EXIT
  trap 'exit 1' TERM INT

  sim="$3"
  preload="$4"
  user_env=(env -i "HOME=$W/home" "TMPDIR=$W/tmp" "XDG_RUNTIME_DIR=$W/run" "PATH=$W/bin:/usr/bin:/bin")

  # The volume's raw device: a FAT16 image of root's, as a block device is.
  mkfs.fat -F 16 -n "AIS B CS" -C "$W/volume.img" 16384 >/dev/null
  echo ready >"$W/READY.txt"
  mcopy -i "$W/volume.img" "$W/READY.txt" ::READY.txt
  before_image="$(mdir -b -i "$W/volume.img" ::)"

  # 96 DPI, not Xvfb's 100: the window follows the screen's scale, and the
  # click positions below are those of the unscaled 600 x 500 window.
  Xvfb -displayfd 3 -ac -nolisten tcp -screen 0 800x600x24 -dpi 96 3>"$W/display" >"$W/xvfb.log" 2>&1 &
  pids+=($!)
  wait_for "$W/display" "" 10
  export DISPLAY=":$(head -1 "$W/display")"

  mkfifo "$W/sim-in"
  exec 7<>"$W/sim-in"
  as_user "${user_env[@]}" "$sim" --fw "$OLD_FW" --bootloader-delay 300 <&7 >"$W/sim.log" 2>&1 &
  pids+=($!)
  if ! wait_for "$W/sim.log" "UMOCKDEV_DIR=" 15; then
    fail "the simulated transponder is plugged in" "$(tail -3 "$W/sim.log")"
    exit 1
  fi
  umockdev_dir="$(sed -n 's/^UMOCKDEV_DIR=//p' "$W/sim.log")"

  # The installed program through its launcher, as the ordinary user, from
  # that user's own folder.
  (cd "$W/home" && exec setpriv --reuid="$RUN_USER" --regid="$(id -g "$RUN_USER")" --clear-groups \
      "${user_env[@]}" "DISPLAY=$DISPLAY" "UMOCKDEV_DIR=$umockdev_dir" "LD_PRELOAD=$preload" \
      ais-firmware-upgrade >"$W/program.log" 2>&1) &
  program=$!
  pids+=($program)
  wid="$(timeout 30 xdotool search --sync --name '^AIS Firmware Upgrade$' 2>/dev/null | head -1)"
  if [ -z "$wid" ]; then
    fail "the installed program shows its window as $RUN_USER" "$(tail -5 "$W/program.log")"
    exit 1
  fi
  pass "the installed program shows its window as $RUN_USER"
  sleep 1
  shot welcome

  click "$HELP_XY"
  if wait_for "$W/xdg-open.log" "file://" 10 &&
     [ "$(cat "$W/xdg-open.log")" = "file://$APPDIR/Help/TORV_FW_Manual_EN.pdf" ]; then
    pass "Help opens $APPDIR/Help/TORV_FW_Manual_EN.pdf"
  else
    fail "Help opens $APPDIR/Help/TORV_FW_Manual_EN.pdf" "opened: $(cat "$W/xdg-open.log" 2>/dev/null)"
  fi

  click "$START_XY"
  if wait_for "$W/program.log" "Target machine type is correct: AIS-B-470" 30; then
    pass "Start: the transponder is found on its USB serial port and identified"
  else
    fail "Start: the transponder is found on its USB serial port and identified" "$(grep -E 'serial|Port' "$W/program.log" | tail -3)"
    exit 1
  fi
  if wait_for "$W/program.log" "$NEW_FW" 10; then
    pass "the firmware package beside the installed program is read ($NEW_FW)"
  else
    fail "the firmware package beside the installed program is read ($NEW_FW)"
  fi
  sleep 1
  shot device-info

  click "$START_XY"
  if ! wait_for "$W/sim.log" 'volume "AIS B CS" requested' 30; then
    fail "Next: the transponder is switched into its bootloader" "$(tail -3 "$W/sim.log")"
    exit 1
  fi
  pass "Next: the transponder is switched into its bootloader"
  mkdir -p "$W/volume"
  mount -t tmpfs -o "size=16m,mode=755,uid=$(id -u "$RUN_USER"),gid=$(id -g "$RUN_USER")" "$W/volume.img" "$W/volume"
  cp "$W/READY.txt" "$W/volume/READY.txt"
  as_user sh -c 'mkdir -p "$1/dev/disk/by-label" && ln -s "$2" "$1/dev/disk/by-label/AIS\x20B\x20CS"' _ \
    "$umockdev_dir" "$W/volume.img"

  if wait_for "$W/program.log" "Copy bin file success" 30; then
    pass "the firmware image is copied onto the volume (success page)"
  else
    fail "the firmware image is copied onto the volume (success page)" "$(grep -E 'MSD|Copy|Trans' "$W/program.log" | tail -4)"
  fi
  sleep 1
  shot success
  if grep -qF "Copy file source path = $APPDIR/FirmwareBin/App_470.Sbin" "$W/program.log" &&
     cmp -s "$W/volume/App_470.Sbin" "$APPDIR/FirmwareBin/App_470.Sbin"; then
    pass "the volume holds the installed package's image"
  else
    fail "the volume holds the installed package's image"
  fi
  # Without write access to the block device the raw writer leaves the image
  # alone, and the copy still runs.
  if [ "$(mdir -b -i "$W/volume.img" ::)" = "$before_image" ] && [ -f "$W/volume/App_470.Sbin" ]; then
    pass "without access to the volume's block device the copy still runs"
  else
    fail "without access to the volume's block device the copy still runs"
  fi
  echo "cycle $W/volume/App_470.Sbin" >&7
  if wait_for "$W/sim.log" "firmware $NEW_FW" 10 && ! grep -q "image not taken" "$W/sim.log"; then
    pass "the transponder comes back with $NEW_FW"
  else
    fail "the transponder comes back with $NEW_FW" "$(tail -2 "$W/sim.log")"
  fi

  click "$CLOSE_XY"
  rc=timeout
  for _ in $(seq 150); do
    if ! kill -0 "$program" 2>/dev/null; then wait "$program"; rc=$?; break; fi
    sleep 0.1
  done
  if [ "$rc" = 0 ]; then
    pass "the close button ends the program with code 0"
  else
    fail "the close button ends the program with code 0" "exit: $rc"
  fi
  echo quit >&7
  exit 0
fi

# ---- outer part: build, install, check, remove ------------------------------
W="$(mktemp -d /tmp/ais-deb-check.XXXXXX)"
chmod 755 "$W"
report_init deb-install-check "$W/results"

installed_by_us=0
test_package=0
cleanup() {
  if [ $test_package = 1 ]; then rm -rf "$APPDIR/FirmwareBin" "$APPDIR/profile.ini"; fi
  if [ $installed_by_us = 1 ] && dpkg-query -W -f='${Status}' "$PKG" 2>/dev/null | grep -q installed; then
    DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq "$PKG" >/dev/null 2>&1
  fi
  rm -rf "$W"
}
trap cleanup EXIT

if dpkg-query -W -f='${Status}' "$PKG" 2>/dev/null | grep -q "install ok installed"; then
  echo "deb-install-check: $PKG is installed already; remove it first, so the check can leave the machine as it was" >&2
  exit 2
fi

bash scripts/setup.sh

deb="${1:-}"
if [ -z "$deb" ]; then
  build_out="$(AIS_FIRMWARE_PACKAGE_DIR= bash scripts/build-deb.sh)"
  echo "$build_out" | tail -3 | sed 's/^/  build-deb: /'
  deb="$(echo "$build_out" | tail -1)"
fi
deb="$(realpath "$deb")"
if [ ! -f "$deb" ]; then
  echo "deb-install-check: no package at $deb" >&2
  exit 2
fi
shots="$(dirname "$deb")"

simdir="${AIS_SIM_BUILD_DIR:-build}"
if [ ! -f "$simdir/CMakeCache.txt" ]; then
  cmake -S . -B "$simdir" -DCMAKE_BUILD_TYPE=Debug >/dev/null
fi
cmake --build "$simdir" -j"$(nproc)" --target ais_transponder_sim ais_ptyshim ais_ttyhangupshim >/dev/null
sim="$root/$simdir/sim/transponder/ais_transponder_sim"
preload="$root/$simdir/tests/ptyshim/libais_ptyshim.so:$root/$simdir/sim/transponder/libais_ttyhangupshim.so"
preload="$preload:$(sed -n 's/^AIS_UMOCKDEV_PRELOAD:[A-Z]*=//p' "$simdir/CMakeCache.txt")"

# ---- the package file ----
contents="$(dpkg-deb -c "$deb")"
lintian_out="$(lintian --fail-on error "$deb" 2>&1)"
lintian_rc=$?
echo "$lintian_out" | grep -v '^running with root' | sed 's/^/  lintian: /'
if [ $lintian_rc = 0 ]; then
  pass "lintian: no errors ($(echo "$lintian_out" | grep -c '^W:') warnings)"
else
  fail "lintian: no errors"
fi
if [ -z "${1:-}" ]; then
  check "built without a firmware folder, the package has no FirmwareBin/" \
    bash -c '! grep -q "FirmwareBin" <<<"$1"' _ "$contents"
fi

packages_before="$(dpkg-query -W -f='${Package}\n' | sort)"
touch "$W/start-stamp"

# ---- install ----
if DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >"$W/apt-install.log" 2>&1; then
  installed_by_us=1
  pass "apt-get install $(basename "$deb")"
else
  fail "apt-get install $(basename "$deb")" "$(tail -3 "$W/apt-install.log")"
  report_end
fi

check "the launcher on the PATH is the installed program" \
  test "$(readlink -f "$(command -v ais-firmware-upgrade)")" = "$APPDIR/AisFirmwareUpgrade"
check "man page of the launcher" bash -c 'zcat /usr/share/man/man1/ais-firmware-upgrade.1.gz | grep -q "^\.TH AIS-FIRMWARE-UPGRADE 1"'
check "desktop entry: desktop-file-validate" desktop-file-validate "/usr/share/applications/$APP_ID.desktop"
as_out="$(appstreamcli validate --no-net "/usr/share/metainfo/$APP_ID.metainfo.xml" 2>&1)"
check "AppStream metainfo: appstreamcli validate" test $? = 0
echo "$as_out" | sed 's/^/  appstreamcli: /'
icons_ok=true
for size in 16 22 24 32 48 64 128 256; do
  icon="/usr/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png"
  file "$icon" 2>/dev/null | grep -q "PNG image data, $size x $size" || icons_ok=false
done
check "hicolor icons 16 to 256 px, named as the desktop entry's Icon" $icons_ok

# The udev rule: the transponder's serial port (vendor 2504 with product 3209,
# or a product whose hexadecimal text holds 300) tagged for the seat's user,
# before 73-seat-late.rules applies the tag.
rule_tags() {
  local vendor="$1" product="$2" line pv pp
  while IFS= read -r line; do
    case "$line" in '#'* | '') continue ;; esac
    [[ $line == *'SUBSYSTEM=="tty"'* && $line == *'TAG+="uaccess"'* ]] || continue
    [[ $line =~ ATTRS\{idVendor\}==\"([^\"]*)\" ]] || continue
    pv="${BASH_REMATCH[1]}"
    [[ $line =~ ATTRS\{idProduct\}==\"([^\"]*)\" ]] || continue
    pp="${BASH_REMATCH[1]}"
    # shellcheck disable=SC2053  # udev's == is a glob, as bash's is
    [[ $vendor == $pv && $product == $pp ]] && return 0
  done <"$RULE"
  return 1
}
rule_ok=true
rule_why=""
for id in 2504:3209 2504:0300 2504:1300 2504:3000; do
  rule_tags "${id%:*}" "${id#*:}" || { rule_ok=false; rule_why+=" $id not tagged"; }
done
for id in 2504:3208 2504:0301 2504:0030 1234:3209 0300:2504; do
  rule_tags "${id%:*}" "${id#*:}" && { rule_ok=false; rule_why+=" $id tagged"; }
done
rule_name="$(basename "$RULE")"
[ "${rule_name%%-*}" -lt 73 ] || { rule_ok=false; rule_why+=" sorts after 73-seat-late.rules"; }
if $rule_ok; then pass "udev rule gives the transponder's serial port to the seat's user (uaccess)"; else fail "udev rule gives the transponder's serial port to the seat's user (uaccess)" "$rule_why"; fi

# ---- the run ----
if [ -e "$APPDIR/FirmwareBin" ]; then
  skip "the run: the package ships a firmware package, which this check does not replace"
else
  test_package=1
  "$sim" --fw "$NEW_FW" --write-package "$APPDIR/FirmwareBin"
  listing_before="$(ls -A "$APPDIR")"
  install -d -o "$RUN_USER" "$W/home" "$W/tmp" "$W/bin"
  install -d -m 700 -o "$RUN_USER" "$W/run"
  # Help's opener, standing in for xdg-open: notes the URL it was given.
  printf '#!/bin/sh\nprintf %%s "$1" >>%s/xdg-open.log\n' "$W" >"$W/bin/xdg-open"
  chmod 755 "$W/bin/xdg-open"
  install -m 666 /dev/null "$W/xdg-open.log"
  if ! runuser -u "$RUN_USER" -- test -x "$sim" -a -r "${preload%%:*}"; then
    fail "the simulator in $simdir is reachable for $RUN_USER"
  else
    timeout 300 unshare --mount --propagation private bash "$0" --run-in-namespace "$W" "$sim" "$preload"
    for s in welcome device-info success; do
      [ -f "$W/shot-$s.png" ] && cp "$W/shot-$s.png" "$shots/deb-check-$s.png"
    done
    echo "  screenshots: $shots/deb-check-{welcome,device-info,success}.png"
  fi
  # What the ordinary user's program may have written: nothing in its folder
  # (it cannot), and no log or record in the folder it was started from.
  check "the program wrote nothing into $APPDIR" test "$(ls -A "$APPDIR")" = "$listing_before"
  check "no logger.log or SysStatusBefore.txt without recording switched on" \
    bash -c '[ -z "$(find "$1" -name logger.log -o -name SysStatusBefore.txt)" ]' _ "$W/home"
  # Recording switched on by the administrator: the program's own folder is
  # not the user's to write, the log goes to the folder it was started from.
  printf '[Sys_Debug]\nLogTag=record\nEncryptionEnable=false\n' >"$APPDIR/profile.ini"
  (cd "$W/home" && exec setpriv --reuid="$RUN_USER" --regid="$(id -g "$RUN_USER")" --clear-groups \
      env -i "HOME=$W/home" "XDG_RUNTIME_DIR=$W/run" QT_QPA_PLATFORM=offscreen ais-firmware-upgrade >/dev/null 2>&1) &
  recorder=$!
  for _ in $(seq 100); do grep -qs "Record Logging" "$W/home/logger.log" && break; sleep 0.1; done
  kill "$recorder" 2>/dev/null
  wait "$recorder" 2>/dev/null
  check "recording switched on in $APPDIR/profile.ini writes logger.log where the user started it" \
    grep -q "Record Logging" "$W/home/logger.log"
  rm -f "$APPDIR/profile.ini" "$W/home/logger.log"
  if [ -f "$APPDIR/Help/TORV_FW_Manual_EN.pdf" ]; then
    pass "the manual is installed in $APPDIR/Help/"
  else
    skip "the package ships no manual in $APPDIR/Help/"
  fi
  rm -rf "$APPDIR/FirmwareBin"
  test_package=0
fi

# ---- remove ----
if DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq "$PKG" >"$W/apt-purge.log" 2>&1; then
  installed_by_us=0
  pass "apt-get purge $PKG"
else
  fail "apt-get purge $PKG" "$(tail -3 "$W/apt-purge.log")"
fi
left=""
for f in "$APPDIR" "$LAUNCHER" "$RULE" "/usr/share/applications/$APP_ID.desktop" \
         "/usr/share/metainfo/$APP_ID.metainfo.xml" /usr/share/doc/ais-firmware-upgrade; do
  [ -e "$f" ] || [ -L "$f" ] && left+=" $f"
done
check "removal leaves none of the package's files" test -z "$left"
new_packages="$(comm -13 <(echo "$packages_before") <(dpkg-query -W -f='${Package}\n' | sort))"
check "the installed packages are as before" test -z "$new_packages"
strays="$(find /tmp /var/tmp /run/lock -xdev -user "$RUN_USER" -newer "$W/start-stamp" -not -path "$W/*" 2>/dev/null)"
check "nothing of $RUN_USER's left outside the check's folder" test -z "$strays"

say "$((SECONDS - start_time)) s"
report_end
