#!/usr/bin/env bash
# Builds the Debian package of the program: a release build in build-deb/
# (AIS_DEB_BUILD_DIR), installed by CPack into /usr, dependencies from the
# binary (dpkg-shlibdeps), compiler and linker flags from dpkg-buildflags.
#
#   scripts/build-deb.sh [FIRMWARE_PACKAGE_DIR]
#
# The maker's firmware package (Firmware.csv and App_470.Sbin) is shipped as
# /usr/lib/ais-firmware-upgrade/FirmwareBin/ only from the folder named here
# or in AIS_FIRMWARE_PACKAGE_DIR; without one the package has no FirmwareBin/.
# Prints the package's path on its last line; SHA256SUMS beside it holds its
# sum (sha256sum -c).
#
# Reproducible: the time stamps come from the commit (SOURCE_DATE_EPOCH, from
# git unless given) and the program carries no build path, so two builds of
# one commit give the same .deb.
set -euo pipefail
umask 022
cd "$(dirname "$0")/.."

bash scripts/setup.sh

dir="${AIS_DEB_BUILD_DIR:-build-deb}"
firmware="${1:-${AIS_FIRMWARE_PACKAGE_DIR:-}}"
if [ -n "$firmware" ]; then
  firmware="$(cd "$firmware" && pwd)"
fi

start=$SECONDS
# Every time stamp in the package is the commit's: dpkg-deb's members, the
# files in it, the manual's date, the program's resources.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH="$(git log -1 --format=%ct 2>/dev/null || true)"
  if [ -z "$SOURCE_DATE_EPOCH" ]; then
    echo "build-deb: $PWD is no git checkout: set SOURCE_DATE_EPOCH (seconds since 1970) for the time stamps" >&2
    exit 1
  fi
fi
export SOURCE_DATE_EPOCH
# Debian's hardening: fortified functions, stack protector, PIE, RELRO with
# immediate binding.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
# Given on the command line: CMake reads CFLAGS and friends only on the first
# configure of a build folder.
cppflags="$(dpkg-buildflags --get CPPFLAGS)"
# dpkg-buildflags names the checkout "."; the build folder gets a name of its
# own, so the debug data the build ID is computed from does not depend on it.
mkdir -p "$dir"
dir="$(cd "$dir" && pwd)"
prefix_map="-ffile-prefix-map=$dir=build"
flags=(
  -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CFLAGS) $cppflags $prefix_map"
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $cppflags $prefix_map"
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
)
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  # No base folder: with one, ccache hands the compiler relative paths, which
  # end up in the debug data and so in the build ID, and the package would
  # differ from one built without the cache. Without it an object from the
  # cache is the one the compiler makes here.
  unset CCACHE_BASEDIR CCACHE_NOHASHDIR
fi

# The firmware folder is given on every run, so an earlier run's folder never
# sticks in the cache.
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DAIS_BUILD_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr \
  -DAIS_FIRMWARE_PACKAGE_DIR="$firmware" "${flags[@]}" "${launcher[@]}" >/dev/null
# Made afresh on every run, so an earlier commit's time never stays in them:
# the manual (its date) and the resources (rcc writes the time into them).
rm -f "$dir/app/Help/TORV_FW_Manual_EN.pdf"
find "$dir" -name 'qrc_*.cpp' -delete
cmake --build "$dir" -j"$(nproc)"
rm -rf "$dir/packages"
(cd "$dir" && cpack -G DEB >/dev/null)

debs=("$dir"/packages/*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "build-deb: expected one package in $dir/packages" >&2
  exit 1
fi
(cd "$dir/packages" && sha256sum -- "$(basename "${debs[0]}")" >SHA256SUMS)
if [ -n "$firmware" ]; then
  echo "firmware package: $firmware"
else
  echo "firmware package: none (no FirmwareBin/ in the package)"
fi
echo "built in $((SECONDS - start)) s, $(du -k "${debs[0]}" | cut -f1) KiB"
echo "${debs[0]}"
