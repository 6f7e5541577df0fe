#!/usr/bin/env bash
# Builds the Qt 5.15.8 SDK for 64-bit Windows that scripts/build-windows.sh
# cross-builds the program with, as qt5.15.8-mingw64.tar.xz, on Debian 12 with
# Debian's mingw-w64 (posix thread model). About an hour on two cores, a few
# GiB of disk in WORKDIR; no root needed.
#
#   tools/win/build-qt-sdk.sh [options] WORKDIR
#     --jobs N               parallel make jobs (default: the number of cores)
#     --qtbase-orig FILE     qtbase-opensource-src_5.15.8+dfsg.orig.tar.xz, already
#                            downloaded (default: apt-get source, see below)
#     --serialport FILE      a tarball of the qtserialport 5.15.8 source, e.g. of the
#                            upstream tag v5.15.8-lts-lgpl (default: apt-get source)
#     --dry-run              check the tools and sources, say what would be done
#
# Sources, all Qt 5.15.8:
#   qtbase      Debian's source package qtbase-opensource-src (its upstream
#               tarball; Debian's patches are not applied)
#   qtserialport  Debian's source package qtserialport-opensource-src, or the
#               tarball given with --serialport
# apt-get source needs the source lines of Debian 12 in apt's list. With
# /etc/apt/sources.list.d/debian.sources (a new Debian 12), as root:
#   sed -i 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources
#   apt-get update
# With a one-line /etc/apt/sources.list, add
#   deb-src http://deb.debian.org/debian bookworm main
# and run apt-get update.
#
# Result: WORKDIR/qt5.15.8-mingw64.tar.xz, one folder qt5.15.8-mingw64/ (bin/
# with the DLLs and the host tools qmake, moc, rcc, uic; include/, lib/,
# plugins/, mkspecs/), relocatable: unpack it anywhere. Use it with
#   AIS_WIN_DEPS_DIR=WORKDIR bash scripts/build-windows.sh
# The tarball is written with the names sorted and fixed owners and times.
set -euo pipefail

ver=5.15.8
name="qt$ver-mingw64"
# The prefix compiled into Qt5Core.dll and qmake; the files are installed
# below WORKDIR/stage, and the program never looks there (its plugins lie
# beside it), so the SDK works wherever it is unpacked.
prefix="/opt/$name"

usage() { sed -n '/^#   tools/,/^#     --dry-run/p' "$0" | sed 's/^# \{0,1\}//'; }
die() { echo "build-qt-sdk: FAILED: $*" >&2; exit 1; }
say() { echo "build-qt-sdk: $*"; }

jobs="$(nproc 2>/dev/null || echo 2)"
qtbase_orig=""
serialport=""
dry=0
work=""
while [ $# -gt 0 ]; do
  case "$1" in
    --jobs) [ $# -ge 2 ] || die "--jobs needs a number"; jobs="$2"; shift 2 ;;
    --qtbase-orig) [ $# -ge 2 ] || die "--qtbase-orig needs a file"; qtbase_orig="$2"; shift 2 ;;
    --serialport) [ $# -ge 2 ] || die "--serialport needs a file"; serialport="$2"; shift 2 ;;
    --dry-run) dry=1; shift ;;
    -h|--help) usage; exit 0 ;;
    -*) usage >&2; die "unknown option $1" ;;
    *) [ -z "$work" ] || { usage >&2; die "one WORKDIR only (also got $1)"; }; work="$1"; shift ;;
  esac
done
[ -n "$work" ] || { usage >&2; die "no WORKDIR"; }
case "$jobs" in ''|*[!0-9]*|0) die "--jobs $jobs is not a positive number" ;; esac
for f in "$qtbase_orig" "$serialport"; do
  [ -z "$f" ] || [ -f "$f" ] || die "$f is not a file"
done
[ -z "$qtbase_orig" ] || qtbase_orig="$(cd "$(dirname "$qtbase_orig")" && pwd)/$(basename "$qtbase_orig")"
[ -z "$serialport" ] || serialport="$(cd "$(dirname "$serialport")" && pwd)/$(basename "$serialport")"

# --- tools ---------------------------------------------------------------------------
missing=()
for t in x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres \
         make perl tar xz; do
  command -v "$t" >/dev/null 2>&1 || missing+=("$t")
done
[ ${#missing[@]} -eq 0 ] || die "missing: ${missing[*]} (Debian packages g++-mingw-w64-x86-64, make, perl, xz-utils)"
if [ -z "$qtbase_orig" ] || [ -z "$serialport" ]; then
  command -v apt-get >/dev/null 2>&1 || die "no apt-get to fetch the sources: give --qtbase-orig and --serialport"
fi
# The mingw runtime DLLs a program built with this compiler needs beside it.
runtime=()
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  path="$(x86_64-w64-mingw32-g++-posix -print-file-name="$dll")"
  [ -f "$path" ] || die "the cross compiler has no $dll"
  runtime+=("$path")
done

say "WORKDIR $work, $jobs jobs, Qt $ver for Windows (prefix $prefix)"
say "qtbase from ${qtbase_orig:-the Debian source package qtbase-opensource-src (apt-get source)}"
say "qtserialport from ${serialport:-the Debian source package qtserialport-opensource-src (apt-get source)}"
say "mingw runtime: ${runtime[*]}"
if [ $dry -eq 1 ]; then
  say "dry run: would fetch the sources into $work/src, build qtbase and qtserialport in $work/build,"
  say "install them into $work/stage$prefix and write $work/$name.tar.xz"
  exit 0
fi

mkdir -p "$work"
work="$(cd "$work" && pwd)"
src="$work/src"
build="$work/build"
stage="$work/stage"
mkdir -p "$src" "$build" "$work/bin"

# --- sources ---------------------------------------------------------------------------
# fetch PACKAGE: Debian's source package into $src, its upstream tarball's path on stdout.
fetch() {
  (cd "$src" && apt-get source --download-only "$1" >"$src/apt-$1.log" 2>&1) || {
    tail -5 "$src/apt-$1.log" >&2
    die "apt-get source $1 failed: are Debian 12's deb-src lines in apt's list? (see the head of $0)"
  }
  local orig=("$src/$1_$ver"*.orig.tar.*)
  [ -f "${orig[0]}" ] || die "apt-get source $1 brought no $ver source (Debian 12 carries $ver; see $src/apt-$1.log)"
  echo "${orig[0]}"
}
# unpack TARBALL DIR: the tarball's one top folder, as DIR.
unpack() {
  rm -rf "$2" "$2.tmp"
  mkdir -p "$2.tmp"
  tar -xf "$1" -C "$2.tmp"
  local top
  top=("$2.tmp"/*)
  if [ ${#top[@]} -ne 1 ] || [ ! -d "${top[0]}" ]; then
    die "$1 does not hold one top folder"
  fi
  mv "${top[0]}" "$2"
  rmdir "$2.tmp"
}
[ -n "$qtbase_orig" ] || qtbase_orig="$(fetch qtbase-opensource-src)"
[ -n "$serialport" ] || serialport="$(fetch qtserialport-opensource-src)"
say "unpacking $qtbase_orig"
unpack "$qtbase_orig" "$src/qtbase"
say "unpacking $serialport"
unpack "$serialport" "$src/qtserialport"
grep -q "MODULE_VERSION = $ver" "$src/qtbase/.qmake.conf" || die "$qtbase_orig is not qtbase $ver"
grep -q "MODULE_VERSION = $ver" "$src/qtserialport/.qmake.conf" || die "$serialport is not qtserialport $ver"

# The posix-thread compilers under the plain names Qt's win32-g++ mkspec calls.
for t in gcc g++ windres ar ranlib strip objcopy nm ld; do
  tool="/usr/bin/x86_64-w64-mingw32-$t"
  [ -x "$tool-posix" ] && tool="$tool-posix"
  ln -sf "$tool" "$work/bin/x86_64-w64-mingw32-$t"
done
export PATH="$work/bin:$PATH"

# mingw's import libraries are lower case; qtbase names two in mixed case.
sed -i 's/"-lSecur32" "-lCrypt32"/"-lsecur32" "-lcrypt32"/' "$src/qtbase/src/network/ssl/ssl.pri"

# --- qtbase ------------------------------------------------------------------------------
rm -rf "$build" "$stage"
mkdir -p "$build/qtbase"
say "configuring qtbase (log: $build/qtbase.log)"
# Debian's source leaves out src/3rdparty/wintab and sqlite: no tablet
# events, no SQLite driver.
(cd "$build/qtbase" && "$src/qtbase/configure" -xplatform win32-g++ -device-option CROSS_COMPILE=x86_64-w64-mingw32- \
  -prefix "$prefix" -release -opensource -confirm-license -nomake examples -nomake tests \
  -opengl no -no-dbus -no-icu -no-feature-tabletevent -no-sql-sqlite -no-sql-odbc -no-sql-psql -no-sql-mysql \
  -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-pcre -qt-harfbuzz -no-openssl -schannel) \
  >"$build/qtbase.log" 2>&1 || { tail -20 "$build/qtbase.log"; die "qtbase configure failed"; }
say "building qtbase (-j$jobs; the long part)"
make -C "$build/qtbase" -j"$jobs" >>"$build/qtbase.log" 2>&1 || { tail -20 "$build/qtbase.log"; die "qtbase build failed"; }
make -C "$build/qtbase" install INSTALL_ROOT="$stage" >>"$build/qtbase.log" 2>&1 \
  || { tail -20 "$build/qtbase.log"; die "qtbase install failed"; }
sdk="$stage$prefix"

# --- qtserialport ---------------------------------------------------------------------------
# qmake from the staged qtbase finds its prefix from where it lies, so the
# module installs beside qtbase in the stage.
say "building qtserialport (log: $build/qtserialport.log)"
rm -rf "$build/qtserialport"
cp -a "$src/qtserialport" "$build/qtserialport"
# A tag's tarball has no generated module headers (qmake makes them only in a git checkout).
(cd "$build/qtserialport" \
  && perl "$sdk/bin/syncqt.pl" -module QtSerialPort -version "$ver" -outdir "$PWD" "$PWD" \
  && "$sdk/bin/qmake" \
  && make -j"$jobs" \
  && make install) >"$build/qtserialport.log" 2>&1 || { tail -20 "$build/qtserialport.log"; die "qtserialport build failed"; }

cp "${runtime[@]}" "$sdk/bin/"
for f in lib/cmake/Qt5/Qt5Config.cmake lib/cmake/Qt5SerialPort/Qt5SerialPortConfig.cmake \
         bin/Qt5Core.dll bin/Qt5SerialPort.dll plugins/platforms/qwindows.dll bin/moc bin/rcc bin/uic; do
  [ -e "$sdk/$f" ] || die "the SDK has no $f"
done

# --- the tarball ----------------------------------------------------------------------------
# Times in the tarball: SOURCE_DATE_EPOCH, else this recipe's last commit.
epoch="${SOURCE_DATE_EPOCH:-$(git -C "$(dirname "$0")" log -1 --format=%ct -- "$(basename "$0")" 2>/dev/null || true)}"
epoch="${epoch:-0}"
rm -rf "${work:?}/$name"
mv "$sdk" "$work/$name"
(cd "$work" && tar --sort=name --mtime="@$epoch" --owner=0 --group=0 --numeric-owner -cf - "$name" \
  | xz -T1 >"$name.tar.xz.tmp") || die "writing $name.tar.xz failed"
mv "$work/$name.tar.xz.tmp" "$work/$name.tar.xz"
say "$work/$name.tar.xz ($(du -k "$work/$name.tar.xz" | cut -f1) KiB)"
say "use it with: AIS_WIN_DEPS_DIR=$work bash scripts/build-windows.sh"
