#!/usr/bin/env bash
# Runs the Win32 drivers of tools/win under Wine (Debian's wine64):
#   - the manifest: a program carrying it must see Windows 10 as 10.0 (without
#     the supportedOS entries Windows reports 6.2), and Windows 7 as 6.1;
#   - the FAT16 root-directory writer through the Win32 raw-volume backend, on
#     FAT16 images made by mkfs.fat and exposed to Wine as raw drive X:
#     (the dosdevices entry "x::" is a symlink to the image file, which Wine
#     opens for "\\.\X:"), checked afterwards with fsck.fat and mtools.
# Builds the drivers first (scripts/check-windows-build.sh). Skipped, with
# exit 0, when Wine or the cross compiler is not installed.
set -uo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
out="${AIS_WIN_BUILD_DIR:-$root/build-windows}"
bin="$out/bin"
work="$out/wine-work"

say() { echo "wine-fat16-check: $*"; }

wine=""
for w in wine64 /usr/lib/wine/wine64 wine; do
  if command -v "$w" >/dev/null 2>&1; then wine="$(command -v "$w")"; break; fi
done
wineserver=""
for w in wineserver /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver; do
  if command -v "$w" >/dev/null 2>&1; then wineserver="$(command -v "$w")"; break; fi
done
if [ -z "$wine" ] || [ -z "$wineserver" ]; then
  say "skipped: Wine is not installed (Debian package wine64)"
  exit 0
fi
for tool in mkfs.fat fsck.fat mcopy mdir; do
  if ! command -v "$tool" >/dev/null 2>&1 && [ ! -x "/usr/sbin/$tool" ] && [ ! -x "/sbin/$tool" ]; then
    say "FAILED: $tool is missing (Debian packages dosfstools, mtools)"
    exit 1
  fi
done
export PATH="$PATH:/usr/sbin:/sbin"

build_out="$(bash "$root/scripts/check-windows-build.sh" 2>&1)"
build_rc=$?
if echo "$build_out" | grep -q 'check-windows-build: skipped:'; then
  say "skipped: the cross compiler is not installed, nothing to run"
  exit 0
fi
if [ $build_rc -ne 0 ]; then
  echo "$build_out"
  say "FAILED: the Windows build check failed, nothing to run"
  exit 1
fi

export WINEPREFIX="$out/wineprefix"
export WINEDEBUG=-all
# No Mono or Gecko: the drivers need neither, and their installers would look for a network.
export WINEDLLOVERRIDES="mscoree=;mshtml="
export WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  say "creating the Wine prefix $WINEPREFIX"
  if ! timeout 300 "$wine" wineboot -i >"$out/wineboot.log" 2>&1; then
    tail -20 "$out/wineboot.log"
    say "FAILED: wineboot could not create the prefix"
    exit 1
  fi
fi
# The prefix's own wine server; ended when the script ends.
trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT

rm -rf "$work"
mkdir -p "$work"

passed=0
failed=0
pass() { passed=$((passed + 1)); say "ok: $*"; }
fail() { failed=$((failed + 1)); say "FAILED: $*"; }

# Runs a Windows program; its output lands in $run_out, its exit code in $run_rc.
run_out=""
run_rc=0
run() {
  run_out="$(timeout 120 "$wine" "$@" 2>"$work/wine.err" | tr -d '\r')"
  run_rc=${PIPESTATUS[0]}
}

set_windows_version() {
  "$wine" reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1
}

# --- manifest ------------------------------------------------------------------
set_windows_version win10
run "$bin/versionprobe.exe"
if [ $run_rc -eq 0 ] && echo "$run_out" | grep -q '^os version: 10\.0 ' \
   && echo "$run_out" | grep -q 'execution level: requireAdministrator$'; then
  pass "Windows 10, with the manifest: $(echo "$run_out" | head -1)"
else
  fail "Windows 10, with the manifest: expected 10.0 and requireAdministrator, got (rc $run_rc): $run_out"
fi
run "$bin/versionprobe_bare.exe"
if [ $run_rc -eq 0 ] && echo "$run_out" | grep -q '^os version: 6\.2 '; then
  pass "Windows 10, no manifest, reports 6.2 as on Windows (so the check above means something)"
else
  fail "Windows 10, no manifest: expected 6.2, got (rc $run_rc): $run_out"
fi
set_windows_version win7
run "$bin/versionprobe.exe"
if [ $run_rc -eq 0 ] && echo "$run_out" | grep -q '^os version: 6\.1 '; then
  pass "Windows 7, with the manifest: $(echo "$run_out" | head -1)"
else
  fail "Windows 7, with the manifest: expected 6.1, got (rc $run_rc): $run_out"
fi
set_windows_version win10

# --- FAT16 writer on a raw drive -----------------------------------------------
# FAT16_CASES_BEGIN
# FAT16_CASES_END

say "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
