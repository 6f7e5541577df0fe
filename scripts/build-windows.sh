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
# The Qt SDK is taken from $AIS_WIN_DEPS_DIR, else from shared/deps beside
# the checkout (for a git worktree: beside its main checkout).
set -euo pipefail

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
[ -n "$sdk_tar" ] || die "$sdk_name.tar.xz not found in ${deps_candidates[*]} (set AIS_WIN_DEPS_DIR)"

if [ -n "$firmware" ]; then
  [ -d "$firmware" ] || die "firmware package folder $firmware does not exist"
  firmware="$(cd "$firmware" && pwd)"
fi

if command -v ccache >/dev/null 2>&1; then
  export CMAKE_C_COMPILER_LAUNCHER="${CMAKE_C_COMPILER_LAUNCHER:-ccache}"
  export CMAKE_CXX_COMPILER_LAUNCHER="${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}"
fi
mkdir -p "$out"

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

# --- the operator manual, rendered by a host build -------------------------------
# A cross build cannot run the renderer: a native build renders the PDF and
# the cross build installs it as it stands.
manual_pdf=""
say "native configure for the manual renderer"
cmake -S "$root" -B "$out/native" -DCMAKE_BUILD_TYPE=Release -DAIS_BUILD_TESTS=OFF \
  >"$out/native.log" 2>&1 || { tail -30 "$out/native.log"; die "native configure failed (see $out/native.log)"; }
native_targets="$(cmake --build "$out/native" --target help 2>/dev/null || true)"
if printf '%s\n' "$native_targets" | grep -qw ais_manual_pdf; then
  cmake --build "$out/native" --target ais_manual_pdf -j"$jobs" >>"$out/native.log" 2>&1 \
    || { tail -30 "$out/native.log"; die "building ais_manual_pdf failed (see $out/native.log)"; }
  manual_pdf="$out/native/app/Help/TORV_FW_Manual_EN.pdf"
  [ -f "$manual_pdf" ] || die "ais_manual_pdf did not write $manual_pdf"
  say "manual: $manual_pdf"
else
  say "no manual renderer (target ais_manual_pdf) in this tree: the packages carry no Help/"
fi

# --- cross build ------------------------------------------------------------------
say "cross configure"
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
  >"$out/cross.log" 2>&1 || { tail -30 "$out/cross.log"; die "cross configure failed (see $out/cross.log)"; }
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

rm -rf "$out/packages" "$out/cpack"
(cd "$out/cross" && cpack -B "$out/cpack") >"$out/cpack.log" 2>&1 \
  || { tail -30 "$out/cpack.log"; die "cpack failed (see $out/cpack.log)"; }
mkdir -p "$out/packages"
version="$(sed -n 's/^project([^)]*VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt" | head -1)"
for f in "AisFirmwareUpgrade-$version-win64-setup.exe" "AisFirmwareUpgrade-$version-win64.zip"; do
  [ -f "$out/cpack/$f" ] || die "cpack made no $f (see $out/cpack.log)"
  mv "$out/cpack/$f" "$out/packages/$f"
  say "package: $out/packages/$f ($(du -k "$out/packages/$f" | cut -f1) KiB)"
done
rm -rf "$out/cpack"
say "done in $((SECONDS - start)) s"
