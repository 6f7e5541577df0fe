#!/usr/bin/env bash
# Checks the Debian package as an operator gets it:
# - the package file: lintian, the manual, the maintainer scripts;
# - in clean Debian 12 "bookworm" and Debian 13 "trixie" (minbase) trees, the
#   same package file, not rebuilt: apt-get installs it with nothing but its
#   declared dependencies, ldd finds every library, the installed program
#   starts there as an ordinary user under X and closes, postinst and postrm
#   tell udev of the rule only when udev runs, and apt-get removes it;
# - on this machine: apt-get installs it, the installed program is driven as
#   an ordinary user ("nobody") under Xvfb through a whole upgrade of the
#   simulated transponder, and the package is removed again, leaving the
#   machine as it found it.
# Needs root. Ends with "N passed, N failed, N skipped, N known limits".
#
#   scripts/deb-install-check.sh [PACKAGE]
#
# Without a package it builds one with scripts/build-deb.sh, without firmware.
# For the upgrade the simulator's firmware package stands in the installed
# FirmwareBin/; a FirmwareBin/ the package ships is moved aside for that time
# and put back before the package is removed. The simulator and the shims of
# the fake USB serial ports come from the plain build in build/
# (AIS_SIM_BUILD_DIR), built when missing.
#
# Each clean tree is unpacked afresh on every run from a tarball debootstrap
# made once (scripts/trixie-tree.sh, minbase_tarball; the trixie one is also
# the base of the Wine checks' tree), kept with its SHA-256 in
# /var/cache/ais-deb-check/ and made again when missing or damaged; the
# packages apt-get fetches into it are kept there too, one folder a release
# (apt checks them against the archive's lists). The program there draws
# on an Xvfb of this machine's. The upgrade stays on this machine: it needs
# the fake USB port (umockdev's preload library and the shims, built against
# this machine's libraries), Xvfb and xdotool, which would leave the tree
# clean no more.
#
# The upgrade, in a mount namespace of its own: the simulator on a umockdev
# fake USB port, the installed program started through its launcher, its
# buttons pressed with xdotool; on the bootloader command a tmpfs named
# "AIS B CS" (through a by-label link in the fake /dev) is mounted as the
# volume, with a FAT16 image standing for its block device, which the
# ordinary user may not write. It has AIS_DEB_CHECK_RUN_SECONDS (default 300)
# to reach its end; the variable is there to show that a run cut short fails.
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
MANUAL="$APPDIR/Help/TORV_FW_Manual_EN.pdf"
RUN_USER=nobody
OLD_FW=V1.2.0.00-A
NEW_FW=V1.3.0.01-A
# The clean trees: release, and the name its texts give it.
RELEASES=("bookworm:Debian 12" "trixie:Debian 13")
. "$root/scripts/trixie-tree.sh"
CACHE="$DEBIAN_TREE_CACHE"
RUN_SECONDS="${AIS_DEB_CHECK_RUN_SECONDS:-300}"
TREE_SECONDS=600
# Window coordinates of the buttons (the window is a fixed 600 x 500).
START_XY="509 448"   # Start, Next and Finish share the place
HELP_XY="471 21"
CLOSE_XY="577 21"

# wait_for FILE PATTERN SECONDS: true once FILE holds a line with PATTERN.
wait_for() {
  local end=$((SECONDS + $3))
  while [ $SECONDS -lt $end ]; do
    grep -qF -- "$2" "$1" 2>/dev/null && return 0
    sleep 0.2
  done
  return 1
}

# log_tail N FILE: FILE's last N lines on one line, for a failure's reason.
log_tail() { tail -"$1" "$2" 2>/dev/null | tr '\n' ' '; }

# wait_exit PID SECONDS: sets rc to the process's exit status once it ended,
# to "timeout" when it is still running (not in a subshell: PID is a child).
wait_exit() {
  local _
  rc=timeout
  for _ in $(seq $(($2 * 10))); do
    if ! kill -0 "$1" 2>/dev/null; then
      wait "$1"
      rc=$?
      return
    fi
    sleep 0.1
  done
}

# ---- inner part: the clean tree, in mount and PID namespaces of its own ----
# Everything mounted into the tree goes with the namespaces; every process
# started here ends with them.
if [ "${1:-}" = "--in-clean-tree" ]; then
  W="$2"
  T="$W/tree"
  deb="$3"
  release="$4"
  name="$5"
  report_init deb-install-check "$W/results"
  trap 'exit 1' TERM INT
  in_tree() {
    chroot "$T" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
      LC_ALL=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"
  }
  if ! { mount -t proc proc "$T/proc" && mount --rbind /dev "$T/dev" && mount -t sysfs sysfs "$T/sys" &&
         mkdir -p "$CACHE/archives-$release" && mount --bind "$CACHE/archives-$release" "$T/var/cache/apt/archives"; }; then
    fail "$name: the clean tree gets /proc, /dev, /sys and the package cache"
    exit 1
  fi
  t0=$SECONDS
  cp /etc/resolv.conf "$T/etc/resolv.conf"
  cp "$deb" "$T/tmp/$(basename "$deb")"
  if ! in_tree apt-get update -qq >"$W/tree-apt-update.log" 2>&1; then
    fail "$name: apt-get update in the clean tree" "$(log_tail 2 "$W/tree-apt-update.log")"
    exit 1
  fi
  if in_tree apt-get install -y -q --no-install-recommends "/tmp/$(basename "$deb")" >"$W/tree-install.log" 2>&1; then
    pass "a clean $name (minbase): apt-get installs $(basename "$deb") with its dependencies, postinst without udev ends with 0"
  else
    fail "a clean $name (minbase): apt-get installs $(basename "$deb") with its dependencies, postinst without udev ends with 0" \
      "$(log_tail 3 "$W/tree-install.log")"
    exit 1
  fi
  say "$name: $(grep -c '^Setting up' "$W/tree-install.log") packages installed in $((SECONDS - t0)) s; Qt core there: $(in_tree dpkg-query -W -f='${db:Status-Abbrev} ${Package} ${Version}\n' 'libqt5core5*' 2>/dev/null | sed -n 's/^ii  *//p')"

  # Libraries of the program and of the X platform plugin a desktop loads.
  missing=""
  for f in "$APPDIR/AisFirmwareUpgrade" /usr/lib/x86_64-linux-gnu/qt5/plugins/platforms/libqxcb.so; do
    if [ ! -e "$T$f" ]; then
      missing+=" $f: absent"
    else
      missing+="$(in_tree ldd "$f" 2>&1 | grep -E 'not found|not a dynamic' | sed "s|^|  $(basename "$f"): |")"
    fi
  done
  check "$name: ldd finds every library of the program and of Qt's xcb plugin" test -z "$missing"
  [ -z "$missing" ] || say "missing:$missing"

  # The installed program started through its launcher as an ordinary user,
  # on the X display the outer part started, and closed with its button.
  install -d -o "$RUN_USER" "$T/tmp/home"
  install -d -m 700 -o "$RUN_USER" "$T/tmp/run"
  chroot "$T" setpriv --reuid="$RUN_USER" --regid=nogroup --clear-groups \
    env -i HOME=/tmp/home XDG_RUNTIME_DIR=/tmp/run PATH=/usr/bin:/bin "DISPLAY=$DISPLAY" \
    sh -c 'cd /tmp/home && exec ais-firmware-upgrade' >"$W/tree-program.log" 2>&1 &
  program=$!
  t0=$SECONDS
  wid="$(timeout 30 xdotool search --sync --name '^AIS Firmware Upgrade$' 2>/dev/null | head -1)"
  say "$name: window after $((SECONDS - t0)) s"
  if [ -n "$wid" ] && wait_for "$W/tree-program.log" "Record modified services and registry status" 10; then
    pass "$name: the installed program starts as $RUN_USER and shows its window"
    sleep 1
    import -window root -crop 600x500+0+0 +repage "$W/shot-clean-tree.png" 2>/dev/null
    xdotool mousemove --window "$wid" $CLOSE_XY click 1
    wait_exit "$program" 15
    check "$name: the close button ends the program with code 0 (exit: $rc)" test "$rc" = 0
  else
    fail "$name: the installed program starts as $RUN_USER and shows its window" \
      "$(grep -v '^[0-9][0-9]:' "$W/tree-program.log" | tail -3 | tr '\n' ' ')"
    kill "$program" 2>/dev/null
  fi

  # With udev running (its control socket there) postinst and postrm reload
  # the rules and replay the add events of the transponder's serial ports
  # (vendor 2504) only; with udevadm but no udev running (a chroot on a host
  # with udev, an image being built) they leave it alone. A stand-in udevadm notes what it is asked, since no udev
  # can run in the tree.
  mkdir -p "$T/run/udev" "$T/usr/local/sbin"
  printf '#!/bin/sh\necho "$*" >>/tmp/udevadm.log\n' >"$T/usr/local/sbin/udevadm"
  chmod 755 "$T/usr/local/sbin/udevadm"
  calls=$'control --reload-rules\ntrigger --subsystem-match=tty --property-match=ID_VENDOR_ID=2504 --action=add'
  for c in "postinst configure running" "postrm remove running" "postinst configure stopped"; do
    set -- $c
    rm -f "$T/tmp/udevadm.log" "$T/run/udev/control"
    if [ "$3" = running ]; then
      touch "$T/run/udev/control"
      want="$calls"
      text="$name: $1 $2 with udev running: udevadm control --reload-rules, then trigger --subsystem-match=tty --property-match=ID_VENDOR_ID=2504 --action=add"
    else
      want=""
      text="$name: $1 $2 with udevadm but no udev running: udevadm left alone"
    fi
    if in_tree sh "/tmp/control/$1" "$2" && [ "$(cat "$T/tmp/udevadm.log" 2>/dev/null)" = "$want" ]; then
      pass "$text"
    else
      fail "$text" "asked: $(tr '\n' ';' <"$T/tmp/udevadm.log" 2>/dev/null)"
    fi
  done
  rm -rf "$T/run/udev" "$T/usr/local/sbin/udevadm" "$T/tmp/udevadm.log"

  if in_tree apt-get purge -y -q "$PKG" >"$W/tree-purge.log" 2>&1 && [ ! -e "$T$APPDIR" ]; then
    pass "$name: apt-get purge $PKG, postrm without udev ends with 0"
  else
    fail "$name: apt-get purge $PKG, postrm without udev ends with 0" "$(log_tail 3 "$W/tree-purge.log")"
  fi
  # Keeps the package cache to what the archive still has.
  in_tree apt-get autoclean -qq >/dev/null 2>&1
  echo end >"$W/end-clean-tree"
  exit 0
fi

# ---- inner part: the upgrade, in its own mount namespace --------------------
if [ "${1:-}" = "--run-in-namespace" ]; then
  W="$2"
  report_init deb-install-check "$W/results"
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
  echo ready >"$W/READY.txt"
  if ! { mkfs.fat -F 16 -n "AIS B CS" -C "$W/volume.img" 16384 >/dev/null &&
         mcopy -i "$W/volume.img" "$W/READY.txt" ::READY.txt; }; then
    fail "the FAT16 image standing for the volume's block device is made"
    exit 1
  fi
  before_image="$(mdir -b -i "$W/volume.img" ::)"

  # 96 DPI, not Xvfb's 100: the window follows the screen's scale, and the
  # click positions below are those of the unscaled 600 x 500 window.
  Xvfb -displayfd 3 -ac -nolisten tcp -screen 0 800x600x24 -dpi 96 3>"$W/display" >"$W/xvfb.log" 2>&1 &
  pids+=($!)
  if ! wait_for "$W/display" "" 10; then
    fail "Xvfb starts" "$(log_tail 2 "$W/xvfb.log")"
    exit 1
  fi
  export DISPLAY=":$(head -1 "$W/display")"

  mkfifo "$W/sim-in"
  exec 7<>"$W/sim-in"
  as_user "${user_env[@]}" "$sim" --fw "$OLD_FW" --bootloader-delay 300 <&7 >"$W/sim.log" 2>&1 &
  pids+=($!)
  if ! wait_for "$W/sim.log" "UMOCKDEV_DIR=" 15; then
    fail "the simulated transponder is plugged in" "$(log_tail 3 "$W/sim.log")"
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
    fail "the installed program shows its window as $RUN_USER" "$(log_tail 5 "$W/program.log")"
    exit 1
  fi
  pass "the installed program shows its window as $RUN_USER"
  sleep 1
  shot welcome

  # Help hands the manual's URL to the opener; the manual must be there for
  # the user to read.
  click "$HELP_XY"
  wait_for "$W/xdg-open.log" "file://" 10
  opened="$(cat "$W/xdg-open.log" 2>/dev/null)"
  if [ "$opened" = "file://$MANUAL" ] && as_user test -r "$MANUAL" && [ "$(head -c 5 "$MANUAL")" = "%PDF-" ]; then
    pass "Help opens $MANUAL, a PDF the user can read"
  else
    fail "Help opens $MANUAL, a PDF the user can read" \
      "opened: ${opened:-nothing}; $(ls -l "$MANUAL" 2>&1)"
  fi

  click "$START_XY"
  if wait_for "$W/program.log" "Target machine type is correct: AIS-B-470" 30; then
    pass "Start: the transponder is found on its USB serial port and identified"
  else
    fail "Start: the transponder is found on its USB serial port and identified" "$(grep -E 'serial|Port' "$W/program.log" | tail -3 | tr '\n' ' ')"
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
    fail "Next: the transponder is switched into its bootloader" "$(log_tail 3 "$W/sim.log")"
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
    fail "the firmware image is copied onto the volume (success page)" "$(grep -E 'MSD|Copy|Trans' "$W/program.log" | tail -4 | tr '\n' ' ')"
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
  # alone and says so as a Warning naming the device; the copy still runs.
  warning="[W]No write access to the volume device $W/volume.img: "
  if [ "$(mdir -b -i "$W/volume.img" ::)" = "$before_image" ] && [ -f "$W/volume/App_470.Sbin" ] &&
     grep -qF -- "$warning" "$W/program.log"; then
    pass "without access to the volume's block device: Warning \"No write access to the volume device …\", the copy still runs"
  else
    fail "without access to the volume's block device: Warning \"No write access to the volume device …\", the copy still runs" \
      "$(grep -F 'copyToRootDir' "$W/program.log" | tail -2 | tr '\n' ' ')"
  fi
  echo "cycle $W/volume/App_470.Sbin" >&7
  if wait_for "$W/sim.log" "firmware $NEW_FW" 10 && ! grep -q "image not taken" "$W/sim.log"; then
    pass "the transponder comes back with $NEW_FW"
  else
    fail "the transponder comes back with $NEW_FW" "$(log_tail 2 "$W/sim.log")"
  fi

  click "$CLOSE_XY"
  wait_exit "$program" 15
  check "the close button ends the program with code 0 (exit: $rc)" test "$rc" = 0
  echo quit >&7
  echo end >"$W/end-run"
  exit 0
fi

# ---- outer part --------------------------------------------------------------
W="$(mktemp -d /tmp/ais-deb-check.XXXXXX)"
chmod 755 "$W"
report_init deb-install-check "$W/results"

installed_by_us=0
test_package=0
xvfb_pid=""
cleanup() {
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
  if [ $test_package = 1 ]; then
    rm -rf "$APPDIR/FirmwareBin" "$APPDIR/profile.ini"
    [ -d "$W/shipped-FirmwareBin" ] && mv "$W/shipped-FirmwareBin" "$APPDIR/FirmwareBin"
  fi
  # Also a package whose install failed half-way: it is on the machine.
  if [ $installed_by_us = 1 ] && dpkg-query -W -f='${Status}' "$PKG" 2>/dev/null | grep -qv "not-installed"; then
    DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq "$PKG" >/dev/null 2>&1 ||
      dpkg --purge --force-remove-reinstreq "$PKG" >/dev/null 2>&1
  fi
  # The clean tree's mounts live only in its namespace; never remove
  # through a mount.
  if grep -qF " $W/" /proc/self/mountinfo; then
    echo "deb-install-check: $W still has mounts, left in place" >&2
  else
    rm -rf "$W"
  fi
}
# An interrupt ends a running inner part first (timeout hands the signal on
# to all of it), then the cleanup puts the machine back.
inner_pid=""
stop_inner() {
  if [ -n "$inner_pid" ]; then kill "$inner_pid" 2>/dev/null; wait "$inner_pid" 2>/dev/null; fi
}
trap cleanup EXIT
trap 'stop_inner; exit 130' INT
trap 'stop_inner; exit 143' TERM

if [ "$(id -u)" -ne 0 ]; then
  skip_all "needs root (apt-get, a chroot, mounts, a second user)"
fi
if dpkg-query -W -f='${Status}' "$PKG" 2>/dev/null | grep -qv "not-installed"; then
  fail "$PKG is not installed before the check" "remove it first, so the check can leave the machine as it was"
  report_end
fi

# run_inner NAME LIMIT TEXT CMD...: runs a part of the check under a time
# limit. Its claims count through the shared results file; that it ran to its
# end is its status 0 and the end marker it writes last.
run_inner() {
  local name="$1" limit="$2" text="$3" rc=0 why=""
  shift 3
  rm -f "$W/end-$name"
  timeout --kill-after=10 "$limit" "$@" &
  inner_pid=$!
  wait "$inner_pid" || rc=$?
  inner_pid=""
  case $rc in
    0) ;;
    124 | 137) why="killed at its time limit of $limit s" ;;
    *) why="status $rc" ;;
  esac
  [ -f "$W/end-$name" ] || why="${why:+$why, }no end marker"
  if [ -z "$why" ]; then pass "$text ran to its end"; else fail "$text ran to its end" "$why"; fi
}

if ! bash scripts/setup.sh >"$W/setup.log" 2>&1; then
  fail "scripts/setup.sh installs the check's tools" "$(log_tail 3 "$W/setup.log")"
  report_end
fi

deb="${1:-}"
if [ -z "$deb" ]; then
  if ! build_out="$(AIS_FIRMWARE_PACKAGE_DIR='' bash scripts/build-deb.sh)"; then
    fail "scripts/build-deb.sh builds the package"
    report_end
  fi
  echo "$build_out" | tail -3 | sed 's/^/  build-deb: /'
  deb="$(echo "$build_out" | tail -1)"
fi
if [ ! -f "$deb" ] || ! dpkg-deb --info "$deb" >/dev/null 2>&1; then
  fail "a Debian package at $deb"
  report_end
fi
deb="$(realpath "$deb")"
shots="$(dirname "$deb")"
rm -f "$shots"/deb-check-*.png

simdir="${AIS_SIM_BUILD_DIR:-build}"
sim="$root/$simdir/sim/transponder/ais_transponder_sim"
if ! { { [ -f "$simdir/CMakeCache.txt" ] || cmake -S . -B "$simdir" -DCMAKE_BUILD_TYPE=Debug >/dev/null; } &&
       cmake --build "$simdir" -j"$(nproc)" --target ais_transponder_sim ais_ptyshim ais_ttyhangupshim >"$W/sim-build.log" 2>&1; }; then
  fail "the simulator and the fake port's shims are built in $simdir" "$(log_tail 3 "$W/sim-build.log")"
  report_end
fi
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
check "the package ships the manual $MANUAL" grep -qE " \.$MANUAL\$" <<<"$contents"
dpkg-deb -e "$deb" "$W/control"
check "the package's postinst and postrm are there and executable" test -x "$W/control/postinst" -a -x "$W/control/postrm"

# ---- clean Debian 12 and 13 trees ----
# The minbase tarball of each release: reused while its SHA-256 holds, else
# debootstrap makes it again.
for entry in "${RELEASES[@]}"; do
  release="${entry%%:*}" name="${entry#*:}"
  t0=$SECONDS
  if ! tarball="$(minbase_tarball "$release" "$W/debootstrap-$release.log")"; then
    fail "debootstrap --variant=minbase $release makes a clean tree" "$(log_tail 2 "$W/debootstrap-$release.log")"
    continue
  fi
  say "$name: clean tree from $tarball ($((SECONDS - t0)) s)"
  t0=$SECONDS
  xvfb_dir="$W/xvfb-tree"
  rm -rf "$W/tree" "$xvfb_dir"
  mkdir -p "$W/tree" "$xvfb_dir"
  if ! { tar -C "$W/tree" -xf "$tarball" && cp -a "$W/control" "$W/tree/tmp/control"; }; then
    fail "$name: the clean tree is unpacked from $tarball"
  else
    # 96 DPI for the unscaled window its close click expects, as in the run.
    Xvfb -displayfd 9 -ac -nolisten tcp -screen 0 800x600x24 -dpi 96 9>"$xvfb_dir/display" 2>"$xvfb_dir/xvfb.log" &
    xvfb_pid=$!
    if wait_for "$xvfb_dir/display" "" 10; then
      export DISPLAY=":$(head -1 "$xvfb_dir/display")"
      run_inner "clean-tree" "$TREE_SECONDS" "$name: the clean tree's part" \
        unshare --mount --pid --fork --kill-child --propagation private \
        bash "$0" --in-clean-tree "$W" "$deb" "$release" "$name"
    else
      fail "$name: Xvfb starts for the clean tree" "$(log_tail 2 "$xvfb_dir/xvfb.log")"
    fi
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
    [ -f "$W/shot-clean-tree.png" ] && mv "$W/shot-clean-tree.png" "$shots/deb-check-clean-tree-$release.png"
  fi
  rm -rf --one-file-system "$W/tree"
  say "$name: clean tree: $((SECONDS - t0)) s"
done

packages_before="$(dpkg-query -W -f='${Package}\n' | sort)"
touch "$W/start-stamp"

# ---- install on this machine ----
installed_by_us=1
if DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >"$W/apt-install.log" 2>&1; then
  pass "apt-get install $(basename "$deb")"
else
  fail "apt-get install $(basename "$deb")" "$(log_tail 3 "$W/apt-install.log")"
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

# ---- the upgrade ----
# A FirmwareBin/ the package ships is moved aside: the simulated transponder
# takes only the simulator's image. It is put back before the package goes.
test_package=1
shipped_fw=0
if [ -e "$APPDIR/FirmwareBin" ]; then
  shipped_fw=1
  mv "$APPDIR/FirmwareBin" "$W/shipped-FirmwareBin"
  say "the package's FirmwareBin/ is set aside for the upgrade"
fi
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
  run_inner run "$RUN_SECONDS" "the upgrade as $RUN_USER" \
    unshare --mount --propagation private bash "$0" --run-in-namespace "$W" "$sim" "$preload"
  for s in welcome device-info success; do
    [ -f "$W/shot-$s.png" ] && cp "$W/shot-$s.png" "$shots/deb-check-$s.png"
  done
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
check "the manual is installed in $APPDIR/Help/" test -f "$MANUAL"
rm -rf "$APPDIR/FirmwareBin"
if [ $shipped_fw = 1 ]; then
  mv "$W/shipped-FirmwareBin" "$APPDIR/FirmwareBin"
  dpkg-deb -x "$deb" "$W/unpacked"
  check "the package's FirmwareBin/ is back, byte for byte" diff -r "$W/unpacked$APPDIR/FirmwareBin" "$APPDIR/FirmwareBin"
fi
test_package=0
say "screenshots: $(ls "$shots"/deb-check-*.png 2>/dev/null | tr '\n' ' ')"

# ---- remove ----
if DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq "$PKG" >"$W/apt-purge.log" 2>&1; then
  installed_by_us=0
  pass "apt-get purge $PKG"
else
  fail "apt-get purge $PKG" "$(log_tail 3 "$W/apt-purge.log")"
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
