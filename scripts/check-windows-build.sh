#!/usr/bin/env bash
# Windows build check, run on Linux with Debian's mingw-w64:
#   1. the manifest is well-formed XML, declares the DPI awareness Qt uses, and
#      the .rc version matches the project's;
#   2. the program's resources compile with windres, with the icon made from
#      the logo (app/win/AppIcon.cmake);
#   3. every Windows-only source (platform/**/Win*.cpp) and the Qt-free units it
#      needs compile with -Wall -Wextra -Werror;
#   4. the Win32 drivers of tools/win link against those objects (hostprobe
#      against every object whole, which proves every symbol they reference exists);
#   5. the Windows CMake snippet (app/win/win.cmake) builds a program that carries
#      the manifest and runs in the GUI subsystem;
#   6. the program's icon: 16 to 256 pixels, inside the program the snippet
#      builds and, when scripts/build-windows.sh has made them, inside the
#      released program and its installer (a skip each when they are missing).
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
# Per-monitor awareness, as Qt 5 sets it itself ("true/pm" for Windows 8.1,
# "PerMonitor" for Windows 10 and 11): with any other, Windows stretches the
# window that Qt has already scaled, or Qt's own request is refused.
REQUIRED_DPI_AWARE=true/pm
REQUIRED_DPI_AWARENESS=PerMonitor
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
      grep -qxF "$id" <<<"$ids" || missing+=("$id")
    done
    settings='/*[local-name()="assembly"]/*[local-name()="application"]/*[local-name()="windowsSettings"]'
    dpi_aware="$(xmllint --xpath "string($settings/*[local-name()=\"dpiAware\"])" "$manifest" 2>/dev/null)"
    dpi_awareness="$(xmllint --xpath "string($settings/*[local-name()=\"dpiAwareness\"])" "$manifest" 2>/dev/null)"
    if [ "$dpi_aware" = "$REQUIRED_DPI_AWARE" ] && [ "$dpi_awareness" = "$REQUIRED_DPI_AWARENESS" ]; then
      pass "$manifest declares per-monitor DPI awareness ($dpi_aware, $dpi_awareness), as Qt sets it"
    else
      fail "$manifest declares DPI awareness '$dpi_aware' / '$dpi_awareness', expected $REQUIRED_DPI_AWARE / $REQUIRED_DPI_AWARENESS"
    fi
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
# The icon as the build makes it, beside the resources that name it.
icon="$out/res/AisFirmwareUpgrade.ico"
if cmake -DAIS_ICO="$icon" -P app/win/AppIcon.cmake >"$out/res/icon.log" 2>&1 && [ -s "$icon" ]; then
  pass "app/win/AppIcon.cmake made the icon from the logo"
else
  fail "app/win/AppIcon.cmake made no icon: $(tail -3 "$out/res/icon.log")"
fi
if "$WINDRES" -I "$out/res" "$rc" -O coff -o "$out/res/AisFirmwareUpgrade.res.o" 2>"$out/res/windres.err"; then
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
  # Qt gives its windows the icon named IDI_ICON1 (title bar, taskbar).
  if grep -qx '"IDI_ICON1" 14 /\* RT_GROUP_ICON \*/' "$out/res/decompiled.rc" 2>/dev/null; then
    pass "$rc holds the program's icon as IDI_ICON1"
  else
    fail "$rc: the compiled resources hold no icon group named IDI_ICON1"
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
  if grep -qxF "$src" < <(printf '%s\n' "${QT_BOUND_WIN_SOURCES[@]}"); then
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

# --- 6. the program's icon ---------------------------------------------------
# Sizes of the images in an icon file, ascending, one line.
icon_sizes() { icotool -l "$1" 2>/dev/null | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | tr '\n' ' ' | sed 's/ $//'; }
# The images of an icon file in order, each as "<index> <size> <sum of its
# pixels as icotool writes them out>".
icon_images() {
  local dir="$out/res/images-$(basename "$1" .ico)" f
  rm -rf "$dir"
  mkdir -p "$dir"
  icotool -x -o "$dir" "$1" 2>/dev/null || return 1
  for f in "$dir"/*.png; do
    [ -f "$f" ] || continue
    echo "$(sed 's/.*_\([0-9]*\)_\([0-9x]*\)\.png$/\1 \2/' <<<"$f") $(md5sum <"$f" | cut -d' ' -f1)"
  done | sort -n
}
# The icon group a Windows program carries (the first, or the one named) holds
# the made icon's images, pixel for pixel.
check_carried_icon() { # label exe [group name]
  local label="$1" exe="$2" got="$out/res/carried-$(basename "$2" .exe).ico" name=()
  [ -n "${3:-}" ] && name=(--name="$3")
  rm -f "$got"
  if ! wrestool -x --type=group_icon "${name[@]}" "$exe" -o "$got" 2>/dev/null || [ ! -s "$got" ]; then
    fail "$label: $exe carries no icon${3:+ named $3} (wrestool)"
  elif [ "$(icon_images "$got")" != "$(icon_images "$icon")" ]; then
    fail "$label: the icon in $exe ($(icon_sizes "$got") px) is not the one made from the logo ($(icon_sizes "$icon") px)"
  else
    pass "$label: $(basename "$exe") carries the program's icon (${3:+$3, }$(icon_sizes "$got") px)"
  fi
}
if ! command -v icotool >/dev/null 2>&1 || ! command -v wrestool >/dev/null 2>&1; then
  fail "icotool and wrestool are missing (Debian package icoutils; scripts/setup.sh installs it)"
elif [ -s "$icon" ]; then
  sizes="$(icon_sizes "$icon")"
  read -r -a size_list <<<"$sizes"
  if [ "${size_list[0]:-}" = 16 ] && [ "${size_list[-1]:-}" = 256 ] && [[ " $sizes " == *" 32 "* ]] \
     && [[ " $sizes " == *" 48 "* ]]; then
    pass "the icon holds $sizes px: 16 to 256, with the shell's 32 and 48"
  else
    fail "the icon holds '$sizes' px; it needs 16 to 256 with 32 and 48"
  fi
  [ -f "$out/bin/versionprobe.exe" ] && check_carried_icon "win.cmake" "$out/bin/versionprobe.exe" IDI_ICON1
  release_exe="$out/deploy/AisFirmwareUpgrade/AisFirmwareUpgrade.exe"
  mapfile -t installers < <(find "$out/packages" -maxdepth 1 -name 'AisFirmwareUpgrade-*-setup.exe' 2>/dev/null)
  if [ -f "$release_exe" ]; then
    check_carried_icon "release" "$release_exe" IDI_ICON1
  else
    skip "no released program ($release_exe); scripts/build-windows.sh makes it"
  fi
  if [ ${#installers[@]} -eq 1 ]; then
    # NSIS puts the installer's icon (the uninstaller's is the same file) in place of its own.
    check_carried_icon "installer" "${installers[0]}"
  else
    skip "no single installer in $out/packages; scripts/build-windows.sh makes it"
  fi
fi

report_end
