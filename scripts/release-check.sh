#!/usr/bin/env bash
# Release packages: sums, build paths, reproducibility and signatures.
#   scripts/release-check.sh windows   the packages of scripts/build-windows.sh
#                                      in ${AIS_WIN_BUILD_DIR:-build-windows}
#   scripts/release-check.sh deb       the package of scripts/build-deb.sh
#                                      in ${AIS_DEB_BUILD_DIR:-build-deb}
# windows:
#   - SHA256SUMS beside the packages names the installer and the zip, and
#     sha256sum -c accepts it;
#   - no file of the zip holds the checkout's or the build folder's path;
#   - a second build of the same commit, from scratch in another folder
#     (<build>-again), gives the same program, zip and installer, and says it
#     is unsigned;
#   - signing, with a throwaway CA and code-signing certificate made here by
#     openssl: a wrong password stops the script before the build; with the
#     right one, osslsigncode verify (that CA only) accepts the program (as
#     deployed and in the zip) and the installer, and refuses a copy of each
#     with one byte changed; under Wine the signed installer installs an
#     uninstaller that verifies too and removes the installation.
# deb:
#   - SHA256SUMS beside the package names it, and sha256sum -c accepts it;
#   - no file of the package holds the checkout's or the build folder's path;
#   - a second build of the same commit, from scratch in another folder
#     (<build>-again), gives the same .deb.
# The second builds start from an empty folder and compile every file again
# (ccache is bypassed): an object taken from the cache would be the first
# build's own, and a path or time stamp in it could never differ. The
# folders stay for a look.
set -uo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
. "$root/scripts/check-report.sh"
report_init release-check
start=$SECONDS
version="$(sed -n 's/^project([^)]*VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt" | head -1)"

# abs PATH: PATH made absolute against the checkout.
abs() { case "$1" in /*) echo "$1" ;; *) echo "$root/$1" ;; esac; }

# sums_check DIR FILE...: DIR/SHA256SUMS names exactly FILE... and holds their sums.
sums_check() {
  local dir="$1" out
  shift
  if [ ! -f "$dir/SHA256SUMS" ]; then
    fail "SHA256SUMS beside the packages" "no $dir/SHA256SUMS"
    return
  fi
  local named want
  named="$(sed 's/^[0-9a-f]\{64\} [ *]//' "$dir/SHA256SUMS" | LC_ALL=C sort)"
  want="$(printf '%s\n' "$@" | LC_ALL=C sort)"
  if [ "$named" != "$want" ]; then
    fail "SHA256SUMS names the packages" "it names: $(echo "$named" | tr "\n" " ")not: $(echo "$want" | tr "\n" " ")"
  elif out="$(cd "$dir" && sha256sum -c --strict SHA256SUMS 2>&1)"; then
    pass "sha256sum -c accepts $dir/SHA256SUMS ($*)"
  else
    fail "sha256sum -c accepts $dir/SHA256SUMS" "$(echo "$out" | grep -v ': OK$' | head -3 | tr '\n' ' ')"
  fi
}

# no_build_paths WHAT DIR PATH...: no file below DIR holds any of PATH...
no_build_paths() {
  local what="$1" dir="$2" p hits=""
  shift 2
  for p in "$@"; do
    hits+="$(grep -r -l -a -F -e "$p" "$dir" 2>/dev/null | sed "s|^$dir/||")"$'\n'
  done
  hits="$(printf '%s' "$hits" | sed '/^$/d' | sort -u)"
  if [ -z "$hits" ]; then
    pass "no build path in $what ($(find "$dir" -type f | wc -l) files searched for $*)"
  else
    fail "no build path in $what" "$(echo "$hits" | tr "\n" " " | cut -c1-300)"
  fi
}

# same WHAT A B: A and B are the same bytes; when they are not, DIFF_HINT (a
# command) may say where.
same() {
  if cmp -s "$2" "$3"; then
    pass "$1: the same bytes in both builds ($(basename "$2"), $(du -k "$2" | cut -f1) KiB)"
  else
    fail "$1: the same bytes in both builds" "$(cmp "$2" "$3" 2>&1 | head -1)${4:+; $4}"
  fi
}

# flip FILE COPY: COPY is FILE with the byte in its middle changed.
flip() {
  cp "$1" "$2"
  local size offset byte
  size=$(stat -c %s "$2")
  offset=$((size / 2))
  byte=$(od -An -tu1 -j"$offset" -N1 "$2" | tr -d ' ')
  # shellcheck disable=SC2059 # the format is the octal escape made here
  printf "$(printf '\\%03o' $(((byte + 1) % 256)))" | dd of="$2" bs=1 seek="$offset" conv=notrunc status=none
}

# ---------------------------------------------------------------------------------
check_windows() {
  local out again work setup zip program log rc
  out="$(abs "${AIS_WIN_BUILD_DIR:-build-windows}")"
  again="$out-again"
  work="$out/release-check"
  setup="AisFirmwareUpgrade-$version-win64-setup.exe"
  zip="AisFirmwareUpgrade-$version-win64.zip"
  program="deploy/AisFirmwareUpgrade/AisFirmwareUpgrade.exe"
  if [ ! -f "$out/packages/$setup" ] || [ ! -f "$out/packages/$zip" ]; then
    fail "Windows packages" "none in $out/packages: run scripts/build-windows.sh first"
    return
  fi
  rm -rf "$work"
  mkdir -p "$work"

  sums_check "$out/packages" "$setup" "$zip"

  if unzip -q "$out/packages/$zip" -d "$work/zip"; then
    no_build_paths "the zip" "$work/zip" "$root" "$out"
  else
    fail "no build path in the zip" "unzip failed"
  fi

  # --- the same commit built again, in another folder -----------------------------
  local t=$SECONDS
  log="$work/again-unsigned.log"
  rc=0
  rm -rf "$again"
  env -u AIS_SIGN_PFX -u AIS_SIGN_PASSWORD -u AIS_SIGN_TIMESTAMP_URL AIS_WIN_BUILD_DIR="$again" CCACHE_DISABLE=1 \
    bash "$root/scripts/build-windows.sh" >"$log" 2>&1 || rc=$?
  if [ $rc -ne 0 ]; then
    fail "second build in $again" "build-windows.sh ended with $rc: $(tail -1 "$log")"
  else
    say "second build in $again: $((SECONDS - t)) s"
    check "without AIS_SIGN_PFX the build says plainly the packages are unsigned" \
      grep -q "UNSIGNED: the program, the installer and the uninstaller carry no signature" "$log"
    same "program" "$out/$program" "$again/$program"
    unzip -q "$again/packages/$zip" -d "$work/zip-again" 2>/dev/null
    same "zip" "$out/packages/$zip" "$again/packages/$zip" \
      "differing files: $(diff -r -q "$work/zip" "$work/zip-again" 2>&1 | head -3 | tr '\n' ' ')"
    same "installer" "$out/packages/$setup" "$again/packages/$setup"
  fi

  # --- signing ----------------------------------------------------------------------
  local cert="$work/cert" password="throwaway pass 'word\""
  mkdir -p "$cert"
  cat >"$cert/openssl.cnf" <<'EOF'
[req]
distinguished_name = dn
prompt = no
[dn]
CN = Throwaway release-check CA
[ca]
basicConstraints = critical,CA:TRUE
keyUsage = critical,keyCertSign,cRLSign
subjectKeyIdentifier = hash
[signer]
basicConstraints = critical,CA:FALSE
keyUsage = critical,digitalSignature
extendedKeyUsage = codeSigning
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
EOF
  if ! (cd "$cert" \
        && openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.crt -days 2 \
             -config openssl.cnf -extensions ca \
        && openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr -subj "/CN=TORV release-check" \
        && openssl x509 -req -in signer.csr -CA ca.crt -CAkey ca.key -CAcreateserial -out signer.crt -days 2 \
             -extfile openssl.cnf -extensions signer \
        && openssl pkcs12 -export -inkey signer.key -in signer.crt -certfile ca.crt -out signer.pfx \
             -passout fd:3 3<<<"$password") >"$cert/openssl.log" 2>&1; then
    fail "a throwaway code-signing certificate" "openssl failed: $(tail -2 "$cert/openssl.log" | tr '\n' ' ')"
    return
  fi

  t=$SECONDS
  log="$work/again-wrong-password.log"
  rc=0
  AIS_WIN_BUILD_DIR="$again" AIS_SIGN_PFX="$cert/signer.pfx" AIS_SIGN_PASSWORD="not the password" \
    bash "$root/scripts/build-windows.sh" >"$log" 2>&1 || rc=$?
  if [ $rc -ne 0 ] && grep -q "FAILED: cannot sign with" "$log" && ! grep -q "cross build" "$log"; then
    pass "a wrong AIS_SIGN_PASSWORD stops build-windows.sh before the build ($((SECONDS - t)) s)"
  else
    fail "a wrong AIS_SIGN_PASSWORD stops build-windows.sh before the build" "exit $rc: $(tail -1 "$log")"
  fi

  t=$SECONDS
  log="$work/again-signed.log"
  rc=0
  AIS_WIN_BUILD_DIR="$again" AIS_SIGN_PFX="$cert/signer.pfx" AIS_SIGN_PASSWORD="$password" \
    bash "$root/scripts/build-windows.sh" >"$log" 2>&1 || rc=$?
  if [ $rc -ne 0 ]; then
    fail "signed build in $again" "build-windows.sh ended with $rc: $(tail -1 "$log")"
    return
  fi
  say "signed build in $again: $((SECONDS - t)) s"
  check "the signed build says what it signed" \
    grep -q "signed: the program, the installer and the uninstaller" "$log"
  sums_check "$again/packages" "$setup" "$zip"

  verify() { osslsigncode verify -CAfile "$cert/ca.crt" -in "$1" >"$1.verify.log" 2>&1; }
  refused() { ! verify "$1"; }
  mkdir -p "$work/signed"
  cp "$again/$program" "$work/signed/program.exe"
  unzip -p "$again/packages/$zip" "AisFirmwareUpgrade-$version-win64/AisFirmwareUpgrade.exe" >"$work/signed/zip-program.exe"
  cp "$again/packages/$setup" "$work/signed/setup.exe"
  check "osslsigncode verify accepts the signed program" verify "$work/signed/program.exe"
  check "osslsigncode verify accepts the program in the zip" verify "$work/signed/zip-program.exe"
  check "osslsigncode verify accepts the signed installer" verify "$work/signed/setup.exe"
  flip "$work/signed/program.exe" "$work/signed/program-changed.exe"
  flip "$work/signed/setup.exe" "$work/signed/setup-changed.exe"
  check "osslsigncode verify refuses the program with one byte changed" refused "$work/signed/program-changed.exe"
  check "osslsigncode verify refuses the installer with one byte changed" refused "$work/signed/setup-changed.exe"

  # The uninstaller exists only once the installer has run: the signed
  # installer runs under Wine 10 in the Debian 13 tree (scripts/trixie-tree.sh;
  # the machine's own Wine with AIS_WINE=host) and leaves what it installed
  # in $work/signed for the verification here.
  t=$SECONDS
  rm -f "$work/signed/installed-program.exe" "$work/signed/uninstall.exe"
  if [ "${AIS_WINE:-}" = host ]; then
    bash "$root/scripts/release-check.sh" --signed-under-wine "$work" "$report_results"
  else
    . "$root/scripts/trixie-tree.sh"
    local tree_log="$work/wine-tree.log"
    if [ "$(id -u)" -ne 0 ] || ! wine_tree_make "$tree_log"; then
      fail "the Debian 13 tree with Wine 10 for the signed installer" "$(tail -3 "$tree_log" 2>/dev/null | tr '\n' ' ')"
      return
    fi
    wine_tree_run bash "$root/scripts/release-check.sh" --signed-under-wine "$work" "$report_results"
  fi
  [ -f "$work/signed/installed-program.exe" ] || return
  check "osslsigncode verify accepts the program the signed installer installed" verify "$work/signed/installed-program.exe"
  check "osslsigncode verify accepts the uninstaller the signed installer wrote" verify "$work/signed/uninstall.exe"
  say "signed uninstaller under Wine: $((SECONDS - t)) s"
}

# ---------------------------------------------------------------------------------
check_deb() {
  local dir again deb log rc name
  dir="$(abs "${AIS_DEB_BUILD_DIR:-build-deb}")"
  again="$dir-again"
  debs=("$dir"/packages/*.deb)
  if [ ! -f "${debs[0]}" ]; then
    say "no package in $dir/packages: building one"
    log="$dir-release-check.log"
    mkdir -p "$dir"
    AIS_DEB_BUILD_DIR="$dir" AIS_FIRMWARE_PACKAGE_DIR="" bash "$root/scripts/build-deb.sh" >"$log" 2>&1 \
      || { fail "Debian package" "build-deb.sh failed: $(tail -1 "$log")"; return; }
    debs=("$dir"/packages/*.deb)
  fi
  if [ ${#debs[@]} -ne 1 ]; then
    fail "Debian package" "not one .deb in $dir/packages: ${debs[*]}"
    return
  fi
  deb="${debs[0]}"
  name="$(basename "$deb")"
  sums_check "$dir/packages" "$name"

  local work="$dir/release-check"
  rm -rf "$work"
  mkdir -p "$work"
  if dpkg-deb -x "$deb" "$work/data" && dpkg-deb -e "$deb" "$work/data/DEBIAN"; then
    no_build_paths "the .deb" "$work/data" "$root" "$dir"
  else
    fail "no build path in the .deb" "dpkg-deb could not unpack $deb"
  fi

  local t=$SECONDS
  log="$work/again.log"
  rc=0
  rm -rf "$again"
  AIS_DEB_BUILD_DIR="$again" AIS_FIRMWARE_PACKAGE_DIR="" CCACHE_DISABLE=1 bash "$root/scripts/build-deb.sh" >"$log" 2>&1 || rc=$?
  if [ $rc -ne 0 ] || [ ! -f "$again/packages/$name" ]; then
    fail "second build in $again" "build-deb.sh ended with $rc: $(tail -1 "$log")"
    return
  fi
  say "second build in $again: $((SECONDS - t)) s"
  dpkg-deb -x "$again/packages/$name" "$work/data-again" 2>/dev/null
  dpkg-deb -e "$again/packages/$name" "$work/data-again/DEBIAN" 2>/dev/null
  same ".deb" "$deb" "$again/packages/$name" \
    "differing files: $(diff -r -q "$work/data" "$work/data-again" 2>&1 | head -3 | tr '\n' ' ')"
}

# The signed installer and its uninstaller under Wine (run by check_windows,
# in the Debian 13 tree): WORK/signed/setup.exe installs silently; the
# program and uninstaller it wrote are copied to WORK/signed for
# verification; the uninstaller removes the installation.
signed_under_wine() { # work results
  local work="$1" inst
  rm -f "$report_results"
  report_init release-check "$2"
  . "$root/scripts/wine-common.sh"
  if [ -z "$wine" ] || [ -z "$wineserver" ] || ! command -v Xvfb >/dev/null 2>&1; then
    skip "the signed uninstaller: Wine or Xvfb is not installed (Debian packages wine64, xvfb)"
    return
  fi
  say_wine_version
  export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
  unset WAYLAND_DISPLAY
  xvfb_pid=""
  trap '"$wineserver" -k >/dev/null 2>&1; [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null' EXIT
  start_xvfb "$work" || { fail "the signed uninstaller" "Xvfb did not start"; return; }
  if ! fresh_wine_prefix "$work/wine.log"; then
    fail "the signed installer installs under Wine" "wineboot could not make the prefix: $(tail -1 "$work/wine.log")"
    return
  fi
  inst="$WINEPREFIX/drive_c/Program Files/AIS Firmware Upgrade"
  "$wine" "$work/signed/setup.exe" /S >>"$work/wine.log" 2>&1
  "$wineserver" -w
  if [ ! -f "$inst/Uninstall.exe" ]; then
    fail "the signed installer installs under Wine" "no $inst/Uninstall.exe"
    return
  fi
  cp "$inst/AisFirmwareUpgrade.exe" "$work/signed/installed-program.exe"
  cp "$inst/Uninstall.exe" "$work/signed/uninstall.exe"
  "$wine" "$inst/Uninstall.exe" /S >>"$work/wine.log" 2>&1
  "$wineserver" -w
  check "the signed uninstaller removes the installation" test ! -e "$inst"
}

case "${1:-}" in
  windows) check_windows ;;
  deb) check_deb ;;
  --signed-under-wine) signed_under_wine "$2" "$3"; exit 0 ;;
  *) echo "usage: scripts/release-check.sh windows|deb" >&2; exit 2 ;;
esac
say "${1} checks: $((SECONDS - start)) s"
report_end
