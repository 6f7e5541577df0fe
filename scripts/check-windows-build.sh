#!/usr/bin/env bash
# Windows build check, run on Linux with Debian's mingw-w64:
#   1. the manifest is well-formed XML and the .rc version matches the project's;
#   2. the program's resources compile with windres;
#   3. every Windows-only source (platform/**/Win*.cpp) and the Qt-free units it
#      needs compile with -Wall -Wextra -Werror;
#   4. the Win32 drivers of tools/win link against those objects (hostprobe
#      against every object whole, which proves every symbol they reference exists);
#   5. the Windows CMake snippet (app/win/win.cmake) builds a program that carries
#      the manifest and runs in the GUI subsystem.
# Output goes to build-windows/ (or $AIS_WIN_BUILD_DIR). Skipped (exit 77)
# only when the cross compiler is not installed.
set -uo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
out="${AIS_WIN_BUILD_DIR:-$root/build-windows}"
CXX=x86_64-w64-mingw32-g++
WINDRES=x86_64-w64-mingw32-windres
OBJDUMP=x86_64-w64-mingw32-objdump

# Qt-free units that the Windows-only sources or the drivers call into.
# Paths from the repository root; each must exist once listed.
PORTABLE_UNITS=(
  transfer/Fat16RootDir.cpp          # the FAT16 root-directory writer
  transfer/FirmwareCsv.cpp           # the package's version file
  platform/volume/VolumeCommands.cpp # xcopy and dir command lines
  platform/host/HostCommands.cpp     # sc and net command lines, system tool paths
  platform/host/IWinHost.cpp         # the host selection
)

# Windows-only sources whose one call goes through Qt: not built here; the
# drivers link a Win32 stand-in (tools/win/support) in their place.
QT_BOUND_WIN_SOURCES=(
  platform/host/WinNativeWinHostRegistry.cpp # registry read through QSettings
)

# Libraries the Windows-only sources need from the system.
WIN_LIBS=(-ladvapi32 -lshell32)

CXXFLAGS=(-std=c++17 -Wall -Wextra -Wno-unused-parameter -Werror -I"$root")
# Static runtime, so the drivers run under Wine without mingw's DLLs.
LDFLAGS=(-static -static-libgcc -static-libstdc++)

. "$root/scripts/check-report.sh"
report_init check-windows-build

if ! command -v "$CXX" >/dev/null 2>&1 || ! command -v "$WINDRES" >/dev/null 2>&1; then
  skip_all "the mingw-w64 cross compiler ($CXX, $WINDRES) is not installed" \
      "(Debian package g++-mingw-w64-x86-64)"
fi

rm -rf "$out/obj" "$out/bin" "$out/res"
mkdir -p "$out/obj" "$out/bin" "$out/res"
cd "$root"

# --- 1. manifest and version --------------------------------------------------
manifest=app/win/AisFirmwareUpgrade.manifest
rc=app/win/AisFirmwareUpgrade.rc
# What the manifest must say: elevation (the services and start values cannot
# be changed without it) and every Windows from 7 on, or GetVersionExW reports
# Windows 8.1 and later as 6.2.
REQUIRED_LEVEL=requireAdministrator
SUPPORTED_OS_IDS=(
  "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}" # Windows 7
  "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}" # Windows 8
  "{1f676c76-80e1-4239-95bb-83d0f6d0da78}" # Windows 8.1
  "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}" # Windows 10 and 11
)
# A malformed manifest keeps Windows from starting the program at all.
if command -v xmllint >/dev/null 2>&1; then
  if xmllint --noout "$manifest" 2>"$out/res/manifest.err"; then
    pass "$manifest is well-formed (xmllint)"
    level="$(xmllint --xpath 'string(/*[local-name()="assembly"]/*[local-name()="trustInfo"]//*[local-name()="requestedExecutionLevel"]/@level)' "$manifest" 2>/dev/null)"
    ids="$(xmllint --xpath '/*[local-name()="assembly"]/*[local-name()="compatibility"]/*[local-name()="application"]/*[local-name()="supportedOS"]/@Id' "$manifest" 2>/dev/null \
           | sed -n 's/^ *Id="\(.*\)"$/\1/p')"
    missing=()
    for id in "${SUPPORTED_OS_IDS[@]}"; do
      printf '%s\n' "$ids" | grep -qxF "$id" || missing+=("$id")
    done
    if [ "$level" != "$REQUIRED_LEVEL" ]; then
      fail "$manifest asks for execution level '$level', expected $REQUIRED_LEVEL"
    elif [ ${#missing[@]} -gt 0 ]; then
      fail "$manifest lacks the supportedOS entries ${missing[*]}"
    else
      pass "$manifest asks for $REQUIRED_LEVEL and names Windows 7, 8, 8.1 and 10/11"
    fi
  else
    fail "$manifest is not well-formed: $(cat "$out/res/manifest.err")"
  fi
elif command -v python3 >/dev/null 2>&1; then
  if python3 -c 'import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])' "$manifest" \
      2>"$out/res/manifest.err"; then
    pass "$manifest is well-formed (python3)"
    skip "$manifest: elevation and supported systems (xmllint is not installed)"
  else
    fail "$manifest is not well-formed: $(tail -1 "$out/res/manifest.err")"
  fi
else
  skip "$manifest: neither xmllint nor python3 is installed"
fi

# The manifest's bytes, unchanged, inside a built file (resource object or program).
carries_manifest() {
  if command -v python3 >/dev/null 2>&1; then
    python3 -c 'import sys; sys.exit(0 if open(sys.argv[2], "rb").read().find(open(sys.argv[1], "rb").read()) >= 0 else 1)' \
      "$manifest" "$1"
  else
    local id
    LC_ALL=C grep -qaF "level=\"$REQUIRED_LEVEL\"" "$1" || return 1
    for id in "${SUPPORTED_OS_IDS[@]}"; do LC_ALL=C grep -qaF "$id" "$1" || return 1; done
  fi
}

project_version="$(sed -n 's/^project([^)]*VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt | head -1)"
rc_version="$(sed -n 's/^#define AIS_VERSION_STR "\([0-9.]*\)\\0"$/\1/p' "$rc")"
if [ -n "$project_version" ] && [ "$rc_version" = "$project_version.0" ]; then
  pass "resource version $rc_version matches the project version $project_version"
else
  fail "resource version '$rc_version' in $rc does not match the project version '$project_version'"
fi

# --- 2. resources --------------------------------------------------------------
if "$WINDRES" "$rc" -O coff -o "$out/res/AisFirmwareUpgrade.res.o" 2>"$out/res/windres.err"; then
  pass "windres $rc"
  # The loader applies only resource type 24 (RT_MANIFEST) with id 1 to a program.
  "$WINDRES" -i "$out/res/AisFirmwareUpgrade.res.o" -O rc -o "$out/res/decompiled.rc" 2>/dev/null
  if ! grep -qx '1 24 /\* RT_MANIFEST \*/' "$out/res/decompiled.rc" 2>/dev/null; then
    fail "$rc: the compiled resources hold no RT_MANIFEST with id 1"
  elif [ "$(grep -c 'RT_MANIFEST' "$out/res/decompiled.rc")" -ne 1 ]; then
    fail "$rc: the compiled resources hold more than one manifest"
  elif ! carries_manifest "$out/res/AisFirmwareUpgrade.res.o"; then
    fail "$rc: the compiled RT_MANIFEST 1 is not $manifest as it stands"
  else
    pass "$rc embeds $manifest as RT_MANIFEST 1"
  fi
else
  fail "windres $rc: $(cat "$out/res/windres.err")"
fi

# --- 3. Windows-only sources and their Qt-free units ---------------------------
mapfile -t win_sources < <(find platform -name 'Win*.cpp' 2>/dev/null | sort)
if [ ${#win_sources[@]} -eq 0 ]; then
  say "note: no Windows-only sources (platform/**/Win*.cpp) yet"
fi

objects=()
compile() {
  local src="$1"
  local obj="$out/obj/$(echo "${src%.cpp}" | tr '/' '_').o"
  if [ ! -f "$src" ]; then
    fail "$src is listed but missing"
    return
  fi
  # Qt has no Windows build here: a Qt include would hide the Win32 calls from this check.
  local qt
  qt="$(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](Q[A-Za-z]*|qt[a-z]*/)' "$src" | head -1)"
  if [ -n "$qt" ]; then
    fail "$src includes Qt ($qt); keep its Win32 calls in a Qt-free unit"
    return
  fi
  if "$CXX" "${CXXFLAGS[@]}" -c "$src" -o "$obj" 2>"$obj.err"; then
    pass "compiled $src"
    objects+=("$obj")
  else
    fail "compile $src:"
    sed 's/^/    /' "$obj.err"
  fi
}
for src in "${win_sources[@]}" "${PORTABLE_UNITS[@]}"; do
  if printf '%s\n' "${QT_BOUND_WIN_SOURCES[@]}" | grep -qxF "$src"; then
    say "note: $src goes through Qt, not built here (stand-in in tools/win/support)"
    continue
  fi
  compile "$src"
done

# --- 4. Win32 drivers ----------------------------------------------------------
# hostprobe.exe takes every object whole, which proves that every symbol the
# Windows-only sources reference exists; the other drivers take what they use
# from an archive of the same objects. Every driver links the stand-ins of
# tools/win/support; hostprobe also carries the program's resources, so the
# version it reports is the one the program sees.
lib="$out/obj/libais_win.a"
rm -f "$lib"
if [ ${#objects[@]} -gt 0 ]; then
  x86_64-w64-mingw32-ar rcs "$lib" "${objects[@]}"
fi
mapfile -t support < <(find tools/win/support -name '*.cpp' | sort)
for drv in tools/win/*.cpp; do
  name="$(basename "${drv%.cpp}")"
  # The version probe is built through the CMake snippet below.
  [ "$name" = versionprobe ] && continue
  exe="$out/bin/$name.exe"
  if [ "$name" = hostprobe ]; then
    inputs=("${objects[@]}" "$out/res/AisFirmwareUpgrade.res.o")
    how="every object (${#objects[@]}) and the resources"
  else
    inputs=()
    [ -f "$lib" ] && inputs=("$lib")
    how="the archive"
  fi
  if "$CXX" "${CXXFLAGS[@]}" "$drv" "${support[@]}" "${inputs[@]}" -o "$exe" "${LDFLAGS[@]}" "${WIN_LIBS[@]}" \
      2>"$out/bin/$name.err"; then
    pass "linked $name.exe against $how"
  else
    fail "link $name.exe:"
    sed 's/^/    /' "$out/bin/$name.err"
  fi
done

# The raw writer must flush the volume before its handle goes: the operator
# unplugs the device right after the copy.
if [ -f "$out/bin/fat16write.exe" ]; then
  "$OBJDUMP" -p "$out/bin/fat16write.exe" >"$out/bin/fat16write.imports" 2>&1
  if grep -qw FlushFileBuffers "$out/bin/fat16write.imports"; then
    pass "fat16write.exe calls FlushFileBuffers"
  else
    fail "fat16write.exe does not import FlushFileBuffers: the raw volume is closed unflushed"
  fi
fi

# --- 5. the Windows CMake snippet ----------------------------------------------
if command -v cmake >/dev/null 2>&1; then
  probe="$out/cmake-probe"
  rm -rf "$probe"
  if cmake -S tools/win/cmake-probe -B "$probe" \
        -DCMAKE_TOOLCHAIN_FILE="$root/tools/win/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >"$probe.log" 2>&1 \
     && cmake --build "$probe" -j2 >>"$probe.log" 2>&1; then
    exe="$probe/AisFirmwareUpgrade.exe"
    subsystem="$("$OBJDUMP" -p "$exe" | sed -n 's/^Subsystem[[:space:]]*[0-9a-f]*[[:space:]]*//p')"
    if [ "$subsystem" != "(Windows GUI)" ]; then
      fail "win.cmake: AisFirmwareUpgrade.exe has subsystem '$subsystem', expected (Windows GUI)"
    elif ! carries_manifest "$exe"; then
      fail "win.cmake: AisFirmwareUpgrade.exe does not carry $manifest"
    else
      pass "win.cmake builds a GUI program with the manifest embedded"
    fi
    cp "$exe" "$out/bin/versionprobe.exe"
    cp "$probe/versionprobe_bare.exe" "$out/bin/versionprobe_bare.exe"
  else
    fail "win.cmake: cross configure or build failed, see $probe.log:"
    tail -20 "$probe.log" | sed 's/^/    /'
  fi
else
  skip "win.cmake: cmake is not installed"
fi

report_end
