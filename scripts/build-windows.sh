#!/usr/bin/env bash
# Cross-builds the whole program for 64-bit Windows on Linux and makes its
# packages:
#   scripts/build-windows.sh [FIRMWARE_DIR]
# FIRMWARE_DIR (or AIS_FIRMWARE_PACKAGE_DIR) names the maker's firmware
# package (Firmware.csv, App_470.Sbin), shipped as FirmwareBin/; without it
# the packages carry no firmware.
#
# Layout of the build folder ${AIS_WIN_BUILD_DIR:-<checkout>/build-windows}:
#   sdk/qt5.15.8-mingw64/          Qt for Windows, unpacked once
#   native/                        host build of the manual renderer (when there is one)
#   cross/                         the cross build
#   deploy/AisFirmwareUpgrade/     the deployable folder (cmake --install)
#   packages/AisFirmwareUpgrade-<version>-win64-setup.exe   NSIS installer
#   packages/AisFirmwareUpgrade-<version>-win64.zip         the same folder, zipped
#   packages/SHA256SUMS                                     their sums (sha256sum -c)
# The Qt SDK (qt5.15.8-mingw64.tar.xz) is taken from $AIS_WIN_DEPS_DIR, else
# from shared/deps beside the checkout (for a git worktree: beside its main
# checkout); tools/win/build-qt-sdk.sh builds it from source.
#
# Signing (Authenticode, osslsigncode): with AIS_SIGN_PFX (a PKCS#12 file with
# the code-signing certificate and its key), AIS_SIGN_PASSWORD (its password)
# and optionally AIS_SIGN_TIMESTAMP_URL (an RFC 3161 time-stamping service),
# the program, the uninstaller and the installer are signed. Without them the
# packages are unsigned, and the script says so.
#
# Reproducible: the time stamps come from the commit (SOURCE_DATE_EPOCH, from
# git unless given), the program carries no link time and no build path, and
# the zip is written in a fixed order with fixed times and modes. Two builds
# of one commit give the same program, zip and (unsigned) installer.
set -euo pipefail
umask 022

root="$(cd "$(dirname "$0")/.." && pwd)"
out="${AIS_WIN_BUILD_DIR:-$root/build-windows}"
firmware="${1:-${AIS_FIRMWARE_PACKAGE_DIR:-}}"
jobs="${AIS_WIN_JOBS:-2}"
sdk_name=qt5.15.8-mingw64
linguist_dir=/usr/lib/x86_64-linux-gnu/cmake/Qt5LinguistTools

say() { echo "build-windows: $*"; }
die() { say "FAILED: $*"; exit 1; }
start=$SECONDS

# --- tools and inputs ------------------------------------------------------------
for tool in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-windres \
            x86_64-w64-mingw32-objdump makensis cmake cpack; do
  command -v "$tool" >/dev/null 2>&1 \
    || die "$tool is missing (Debian packages g++-mingw-w64-x86-64, nsis, cmake; see scripts/setup.sh)"
done
[ -f "$linguist_dir/Qt5LinguistToolsConfig.cmake" ] || die "$linguist_dir is missing (Debian package qttools5-dev)"

deps_candidates=()
[ -n "${AIS_WIN_DEPS_DIR:-}" ] && deps_candidates+=("$AIS_WIN_DEPS_DIR")
deps_candidates+=("$root/../shared/deps")
common_dir="$(git -C "$root" rev-parse --path-format=absolute --git-common-dir 2>/dev/null || true)"
[ -n "$common_dir" ] && deps_candidates+=("$(dirname "$common_dir")/../shared/deps")
sdk_tar=""
for d in "${deps_candidates[@]}"; do
  if [ -f "$d/$sdk_name.tar.xz" ]; then sdk_tar="$(cd "$d" && pwd)/$sdk_name.tar.xz"; break; fi
done
if [ -z "$sdk_tar" ]; then
  say "$sdk_name.tar.xz not found in: $(printf '%s\n' "${deps_candidates[@]}" | awk '!seen[$0]++' | tr '\n' ' ')"
  say "  It is the Qt 5.15.8 SDK for Windows, cross-built with Debian's mingw-w64. Either copy it from"
  say "  a machine that has it, or build it (about an hour on two cores, see the README):"
  say "    bash tools/win/build-qt-sdk.sh WORKDIR          # writes WORKDIR/$sdk_name.tar.xz"
  say "  then point AIS_WIN_DEPS_DIR at the folder that holds it:"
  say "    AIS_WIN_DEPS_DIR=WORKDIR bash scripts/build-windows.sh"
  die "$sdk_name.tar.xz not found"
fi

if [ -n "$firmware" ]; then
  [ -d "$firmware" ] || die "firmware package folder $firmware does not exist"
  firmware="$(cd "$firmware" && pwd)"
fi

# --- release settings: time stamps, signing ----------------------------------------
# Every time stamp in the packages is the commit's.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH="$(git -C "$root" log -1 --format=%ct 2>/dev/null || true)"
  [ -n "$SOURCE_DATE_EPOCH" ] || die "$root is no git checkout: set SOURCE_DATE_EPOCH (seconds since 1970) for the time stamps"
fi
case "$SOURCE_DATE_EPOCH" in ''|*[!0-9]*) die "SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH is not a number of seconds" ;; esac
export SOURCE_DATE_EPOCH
# zip writes local times.
export TZ=UTC

signing=0
if [ -n "${AIS_SIGN_PFX:-}" ]; then
  [ -f "$AIS_SIGN_PFX" ] || die "AIS_SIGN_PFX=$AIS_SIGN_PFX is not a file"
  [ -n "${AIS_SIGN_PASSWORD+set}" ] || die "AIS_SIGN_PFX is given without AIS_SIGN_PASSWORD"
  command -v osslsigncode >/dev/null 2>&1 || die "osslsigncode is missing (Debian package osslsigncode; see scripts/setup.sh)"
  signing=1
elif [ -n "${AIS_SIGN_PASSWORD:-}${AIS_SIGN_TIMESTAMP_URL:-}" ]; then
  die "AIS_SIGN_PASSWORD or AIS_SIGN_TIMESTAMP_URL is given without AIS_SIGN_PFX"
fi
command -v zip >/dev/null 2>&1 || die "zip is missing (Debian package zip; see scripts/setup.sh)"

if command -v ccache >/dev/null 2>&1; then
  export CMAKE_C_COMPILER_LAUNCHER="${CMAKE_C_COMPILER_LAUNCHER:-ccache}"
  export CMAKE_CXX_COMPILER_LAUNCHER="${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}"
fi
mkdir -p "$out"
out="$(cd "$out" && pwd)"

# The signing command, one for every file: bash "$signer" FILE signs FILE in
# place. The password goes to osslsigncode through a file only this user can
# read (not on a command line), removed when the script ends.
signer="$out/sign/sign-file.sh"
rm -rf "$out/sign"
if [ $signing -eq 1 ]; then
  mkdir -p "$out/sign"
  chmod 700 "$out/sign"
  trap 'rm -f "$out/sign/password"' EXIT
  (umask 077 && printf '%s' "$AIS_SIGN_PASSWORD" >"$out/sign/password")
  ts_args=()
  [ -n "${AIS_SIGN_TIMESTAMP_URL:-}" ] && ts_args=(-ts "$AIS_SIGN_TIMESTAMP_URL")
  pfx="$(cd "$(dirname "$AIS_SIGN_PFX")" && pwd)/$(basename "$AIS_SIGN_PFX")"
  {
    echo '#!/usr/bin/env bash'
    echo '# Written by scripts/build-windows.sh for one run: signs the file $1 in place.'
    echo 'set -euo pipefail'
    printf 'osslsigncode sign -pkcs12 %q -readpass %q -h sha256 -n %q' "$pfx" "$out/sign/password" "AIS Firmware Upgrade"
    [ ${#ts_args[@]} -gt 0 ] && printf ' %q' "${ts_args[@]}"
    echo ' -in "$1" -out "$1.signed" >>'"$(printf '%q' "$out/sign/sign.log")"' 2>&1'
    echo 'mv -f "$1.signed" "$1"'
  } >"$signer"
  say "signing with $pfx${AIS_SIGN_TIMESTAMP_URL:+, time stamps from $AIS_SIGN_TIMESTAMP_URL}"
else
  say "no AIS_SIGN_PFX: the packages will NOT be signed"
fi
sign() {
  bash "$signer" "$1" \
    || { tail -20 "$out/sign/sign.log" 2>/dev/null; die "${2:-signing $1 failed} (see $out/sign/sign.log)"; }
}

# --- Qt for Windows, unpacked once -----------------------------------------------
sdk="$out/sdk/$sdk_name"
stamp="$out/sdk/$sdk_name.unpacked"
want="$(stat -c '%n %s %Y' "$sdk_tar")"
if [ ! -d "$sdk" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$want" ]; then
  say "unpacking $sdk_tar"
  rm -rf "$sdk" "$stamp"
  mkdir -p "$out/sdk"
  tar -xJf "$sdk_tar" -C "$out/sdk" || die "could not unpack $sdk_tar"
  [ -f "$sdk/lib/cmake/Qt5/Qt5Config.cmake" ] || die "$sdk_tar holds no $sdk_name/lib/cmake/Qt5"
  echo "$want" >"$stamp"
fi

# A trial signature on a small DLL of the SDK: a wrong password, a file that
# is no code-signing PKCS#12 or an unreachable time-stamping service stops
# the script here, before the build.
if [ $signing -eq 1 ]; then
  cp "$sdk/bin/libwinpthread-1.dll" "$out/sign/trial.dll"
  sign "$out/sign/trial.dll" "cannot sign with $pfx (wrong AIS_SIGN_PASSWORD, no code-signing certificate and key in it, or time-stamping service unreachable)"
  rm -f "$out/sign/trial.dll"
fi

# --- the operator manual, rendered by a host build -------------------------------
# A cross build cannot run the renderer: a native build renders the PDF and
# the cross build installs it as it stands.
manual_pdf=""
translated_pdfs=""
say "native configure for the manual renderer"
cmake -S "$root" -B "$out/native" -DCMAKE_BUILD_TYPE=Release -DAIS_BUILD_TESTS=OFF \
  >"$out/native.log" 2>&1 || { tail -30 "$out/native.log"; die "native configure failed (see $out/native.log)"; }
native_targets="$(cmake --build "$out/native" --target help 2>/dev/null || true)"
if grep -qw ais_manual_pdf <<<"$native_targets"; then
  cmake --build "$out/native" --target ais_manual_pdf -j"$jobs" >>"$out/native.log" 2>&1 \
    || { tail -30 "$out/native.log"; die "building ais_manual_pdf failed (see $out/native.log)"; }
  manual_pdf="$out/native/app/Help/TORV_FW_Manual_EN.pdf"
  [ -f "$manual_pdf" ] || die "ais_manual_pdf did not write $manual_pdf"
  # The translated manuals beside it, as a CMake list.
  translated_pdfs="$(find "$out/native/app/Help" -name 'TORV_FW_Manual_*.pdf' ! -name 'TORV_FW_Manual_EN.pdf' | LC_ALL=C sort | paste -sd ';')"
  say "manual: $manual_pdf${translated_pdfs:+ and ${translated_pdfs//;/ }}"
else
  say "no manual renderer (target ais_manual_pdf) in this tree: the packages carry no Help/"
fi

# --- cross build ------------------------------------------------------------------
say "cross configure"
# No build path and no link time in the program: source and build folders
# are named relative to themselves, and the PE header's time stamp is zero.
prefix_map=("-ffile-prefix-map=$root=." "-ffile-prefix-map=$out=build")
# Every run names its firmware folder and manual afresh (empty: none), so a
# value cached by an earlier run never ships.
cmake -S "$root" -B "$out/cross" \
  -DCMAKE_TOOLCHAIN_FILE="$root/tools/win/mingw-w64-x86_64-posix.cmake" \
  -DCMAKE_PREFIX_PATH="$sdk" \
  -DCMAKE_BUILD_TYPE=Release \
  -DAIS_BUILD_TESTS=OFF \
  -DQt5LinguistTools_DIR="$linguist_dir" \
  -DAIS_FIRMWARE_PACKAGE_DIR="$firmware" \
  -DAIS_MANUAL_PDF="$manual_pdf" \
  -DAIS_MANUAL_TRANSLATED_PDFS="$translated_pdfs" \
  -DCMAKE_C_FLAGS="${prefix_map[*]}" -DCMAKE_CXX_FLAGS="${prefix_map[*]}" \
  -DCMAKE_EXE_LINKER_FLAGS="-Wl,--no-insert-timestamp" \
  >"$out/cross.log" 2>&1 || { tail -30 "$out/cross.log"; die "cross configure failed (see $out/cross.log)"; }
# rcc writes the commit's time into the resources: generated afresh on every
# run, so an earlier commit's time never stays in the program.
find "$out/cross" -name 'qrc_*.cpp' -delete
say "cross build (-j$jobs)"
cmake --build "$out/cross" -j"$jobs" >>"$out/cross.log" 2>&1 \
  || { grep -E 'error|Error' "$out/cross.log" | head -30; die "cross build failed (see $out/cross.log)"; }

# --- deployable folder and packages -----------------------------------------------
deploy="$out/deploy/AisFirmwareUpgrade"
rm -rf "$out/deploy"
cmake --install "$out/cross" --prefix "$deploy" >"$out/install.log" 2>&1 \
  || { tail -30 "$out/install.log"; die "install failed (see $out/install.log)"; }
# The simulator's test image must never reach a transponder: only a named
# folder is ever shipped.
if [ -z "$firmware" ] && [ -e "$deploy/FirmwareBin" ]; then
  die "no firmware folder was named, yet $deploy holds FirmwareBin/"
fi
say "deployable folder: $deploy (firmware: ${firmware:-none}; manual: ${manual_pdf:-none})"
program="$deploy/AisFirmwareUpgrade.exe"
[ -f "$program" ] || die "the install left no $program"
unsigned_sha="$(sha256sum "$program" | cut -d' ' -f1)"
if [ $signing -eq 1 ]; then
  sign "$program"
  say "signed: $program"
fi

version="$(sed -n 's/^project([^)]*VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt" | head -1)"
setup_name="AisFirmwareUpgrade-$version-win64-setup.exe"
zip_top="AisFirmwareUpgrade-$version-win64"
zip_name="$zip_top.zip"
rm -rf "$out/packages" "$out/cpack" "$out/zip"
mkdir -p "$out/packages"

# The installer. cpack installs the program afresh into its staging folder;
# this script, run there before NSIS packs it, puts the signed program in
# (after making sure it is the same program), keeps file times out of the
# installer (the same files give the same bytes), and has makensis sign the
# uninstaller it builds into the installer (NSIS 3.08 and later).
uninst_signed=0
{
  echo "# Written by scripts/build-windows.sh; run by cpack before it packs its staging folder."
  echo "set(_staged \"\${CPACK_TEMPORARY_INSTALL_DIRECTORY}/AisFirmwareUpgrade.exe\")"
  echo "if(NOT EXISTS \"\${_staged}\")"
  echo "  message(FATAL_ERROR \"no \${_staged} to sign\")"
  echo "endif()"
  echo "file(SHA256 \"\${_staged}\" _sha)"
  echo "if(NOT _sha STREQUAL \"$unsigned_sha\")"
  echo "  message(FATAL_ERROR \"\${_staged} is not the program of $deploy\")"
  echo "endif()"
  [ $signing -eq 1 ] && echo "file(COPY_FILE \"$program\" \"\${_staged}\")"
  echo "string(APPEND CPACK_NSIS_DEFINES \"\n  SetDateSave off\")"
  if [ $signing -eq 1 ]; then
    nsis_version="$(makensis -VERSION | sed 's/^v//; s/-.*//')"
    if [ "$(printf '%s\n' 3.08 "$nsis_version" | sort -V | head -1)" = 3.08 ]; then
      case "$signer" in
        *[\"\`\$]*) die "signing the uninstaller: the build folder $out must not hold \", \` or \$" ;;
      esac
      # shellcheck disable=SC2016 # the backquotes are NSIS's
      printf 'string(APPEND CPACK_NSIS_DEFINES "\\n  !uninstfinalize `bash \\"%s\\" \\"%%1\\"` = 0")\n' "$signer"
      uninst_signed=1
    else
      say "makensis $nsis_version cannot sign the uninstaller (!uninstfinalize needs NSIS 3.08): it stays unsigned"
    fi
  fi
} >"$out/cpack-prebuild.cmake"
(cd "$out/cross" && cpack -G NSIS -B "$out/cpack" -D CPACK_PRE_BUILD_SCRIPTS="$out/cpack-prebuild.cmake") >"$out/cpack.log" 2>&1 \
  || { tail -30 "$out/cpack.log"; die "cpack failed (see $out/cpack.log)"; }
[ -f "$out/cpack/$setup_name" ] || die "cpack made no $setup_name (see $out/cpack.log)"
mv "$out/cpack/$setup_name" "$out/packages/$setup_name"
rm -rf "$out/cpack"
[ $signing -eq 1 ] && sign "$out/packages/$setup_name"

# The zip: the deployable folder under one top folder, in name order, every
# entry with the commit's time and plain modes, no owner or extra times.
mkdir -p "$out/zip"
cp -a "$deploy" "$out/zip/$zip_top"
find "$out/zip/$zip_top" -type d -exec chmod 755 {} +
find "$out/zip/$zip_top" -type f -exec chmod 644 {} +
find "$out/zip/$zip_top" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
(cd "$out/zip" && find "$zip_top" | LC_ALL=C sort | zip -X -q -@ "$out/packages/$zip_name") \
  || die "zip failed"
rm -rf "$out/zip"

(cd "$out/packages" && sha256sum -- "$setup_name" "$zip_name" >SHA256SUMS) || die "sha256sum failed"
for f in "$setup_name" "$zip_name" SHA256SUMS; do
  say "package: $out/packages/$f ($(du -k "$out/packages/$f" | cut -f1) KiB)"
done
if [ $signing -eq 1 ]; then
  what="the program, the installer"
  [ $uninst_signed -eq 1 ] && what="$what and the uninstaller" || what="$what (not the uninstaller)"
  say "signed: $what, with $pfx"
else
  say "UNSIGNED: the program, the installer and the uninstaller carry no signature (no AIS_SIGN_PFX)."
  say "  Windows will name the publisher \"Unknown\" and SmartScreen may hold the installer back."
fi
say "done in $((SECONDS - start)) s"
