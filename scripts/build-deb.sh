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
# Prints the package's path on its last line.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

dir="${AIS_DEB_BUILD_DIR:-build-deb}"
firmware="${1:-${AIS_FIRMWARE_PACKAGE_DIR:-}}"
if [ -n "$firmware" ]; then
  firmware="$(cd "$firmware" && pwd)"
fi

start=$SECONDS
# Debian's hardening: fortified functions, stack protector, PIE, RELRO with
# immediate binding.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
# Given on the command line: CMake reads CFLAGS and friends only on the first
# configure of a build folder.
cppflags="$(dpkg-buildflags --get CPPFLAGS)"
flags=(
  -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CFLAGS) $cppflags"
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $cppflags"
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
)
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

# The firmware folder is given on every run, so an earlier run's folder never
# sticks in the cache.
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DAIS_BUILD_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr \
  -DAIS_FIRMWARE_PACKAGE_DIR="$firmware" "${flags[@]}" "${launcher[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)"
rm -rf "$dir/packages"
(cd "$dir" && cpack -G DEB >/dev/null)

debs=("$PWD/$dir"/packages/*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "build-deb: expected one package in $dir/packages" >&2
  exit 1
fi
if [ -n "$firmware" ]; then
  echo "firmware package: $firmware"
else
  echo "firmware package: none (no FirmwareBin/ in the package)"
fi
echo "built in $((SECONDS - start)) s, $(du -k "${debs[0]}" | cut -f1) KiB"
echo "${debs[0]}"
