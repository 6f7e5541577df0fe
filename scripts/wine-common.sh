# Sourced by the Wine checks, which run in the Debian 13 tree with its
# Wine 10 (scripts/trixie-tree.sh) unless AIS_WINE=host; build_win_standins
# is for their part on this machine, before they enter the tree.
# Sets wine and wineserver to Debian's wine64 and its server (which live in
# /usr/lib/wine, off the PATH), or leaves them empty when Wine is not installed.
wine=""
for w in wine64 /usr/lib/wine/wine64 wine; do
  if command -v "$w" >/dev/null 2>&1; then wine="$(command -v "$w")"; break; fi
done
wineserver=""
for w in wineserver /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver; do
  if command -v "$w" >/dev/null 2>&1; then wineserver="$(command -v "$w")"; break; fi
done

# Builds the Windows stand-ins of sim/win named (every one when none is)
# into folder $1 as NAME.exe, with this machine's cross compiler (the tree
# has none). False, with the compiler's words printed, when one does not
# build.
build_win_standins() { # folder [name...]
  local dir="$1" src name names=("${@:2}")
  local sources="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/sim/win"
  [ ${#names[@]} -gt 0 ] || names=($(cd "$sources" && ls *.cpp | sed 's/\.cpp$//'))
  mkdir -p "$dir"
  for name in "${names[@]}"; do
    src="$sources/$name.cpp"
    if ! x86_64-w64-mingw32-g++-posix -std=c++17 -Wall -Wextra -Werror -O2 "$src" -o "$dir/$name.exe" \
         -static -static-libgcc -static-libstdc++ -ladvapi32 2>"$dir/$name.err"; then
      cat "$dir/$name.err"
      return 1
    fi
  done
}

# The languages the Windows build in folder $1 ships besides English, one
# code a line, read from its translations resource ("de", "pt_BR", ...).
shipped_languages() { # build folder
  sed -n 's|.*alias="Lang/AisFirmwareUpgrade_\(.*\)\.qm".*|\1|p' "$1/cross/ui/translations.qrc" 2>/dev/null
}

# Makes $WINEPREFIX a fresh prefix: a copy of one that wineboot made once
# for this Wine, with a display or without one as the caller has, kept in
# the Windows build folder. A wineboot costs seconds of CPU, a copy a
# fraction of one, and nothing of a check's own reaches the kept one.
# Wineboot's words (or where the copy came from) go to file $1. False when
# wineboot failed.
wine_templates="${AIS_WIN_BUILD_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build-windows}/wine-templates"
fresh_wine_prefix() { # log
  local kind=no-display version template
  [ -z "${DISPLAY:-}" ] || kind=display
  version="$("$wine" --version 2>/dev/null | head -1)"
  template="$wine_templates/${version//[^a-zA-Z0-9.]/_}-$kind"
  mkdir -p "$wine_templates" || return 1
  # One check makes it while the others (in other lanes) wait for it.
  ( flock 9 || exit 1
    if [ -f "$template/.made" ]; then echo "a copy of $template" >"$1"; exit 0; fi
    rm -rf "$template"
    WINEPREFIX="$template" timeout 300 "$wine" wineboot -i >"$1" 2>&1 9>&- &&
      WINEPREFIX="$template" "$wineserver" -w 9>&- && touch "$template/.made"
  ) 9>"$template.lock" || return 1
  rm -rf "$WINEPREFIX"
  cp -a "$template" "$WINEPREFIX" && rm -f "$WINEPREFIX/.made"
}

# The Wine a check runs on, as its own line: "NAME: wine-10.0 (...)".
say_wine_version() {
  say "$("$wine" --version 2>&1 | head -1) ($wine)"
}

# Starts Xvfb on a free display, its files in folder $1 (its words in
# xvfb.log); exports DISPLAY and sets xvfb_pid. False when it did not start.
# The screen holds the window at 200 % (1200 x 1000) with its frame: Wine
# 10 keeps a window inside the screen, as Windows does.
start_xvfb() {
  Xvfb -displayfd 9 -screen 0 1920x1200x24 -nolisten tcp 9>"$1/display" 2>"$1/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$1/display" ] && break; sleep 0.1; done
  [ -s "$1/display" ] || return 1
  export DISPLAY=":$(head -1 "$1/display")"
}

# What every prefix the program runs in gets, as REGEDIT4 lines (to be
# imported after a "REGEDIT4" header):
# - no crash debugger: a crash ends the process at once with Wine's line on
#   it, instead of freezing it behind winedbg's dialog (which also keeps any
#   other debugger from attaching);
# - heap free checking for the program, as gflags sets it on Windows: freed
#   blocks are filled with FE EE, so a use after free faults where it happens
#   instead of damaging the heap unseen.
program_prefix_reg() {
  printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug]\r\n"Debugger"=""\r\n\r\n'
  printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\AisFirmwareUpgrade.exe]\r\n"GlobalFlag"=dword:00000070\r\n\r\n'
}

# The wizard asks for Tahoma, which every Windows has. Debian's fonts-wine
# carries one, but this Wine does not read its own font folder: the prefix
# ($WINEPREFIX) gets it the way Windows has it, in C:\windows\Fonts. False
# when fonts-wine is not installed.
install_tahoma() {
  cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
}

# The access violations in Wine's output $1 of a program run with
# WINEDEBUG=warn+seh, one line each (none: nothing printed): every fault
# that was dispatched, even one that something caught (as Wine's loader does
# for the callbacks run when a thread ends), and an unhandled one.
wine_faults() {
  grep -aE ':warn:seh:dispatch_exception EXCEPTION_ACCESS_VIOLATION|^wine: Unhandled' "$1" 2>/dev/null
}

# Passes or fails LABEL by the access violations in Wine's output FILE of a
# run of the program (wine_faults above); uses check-report.sh.
check_wine_faults() { # label file
  local faults
  faults="$(wine_faults "$2")"
  if [ -n "$faults" ]; then
    fail "$1: $(grep -c . <<<"$faults") access violations in the program (heap free checking on), threads $(cut -d: -f1 <<<"$faults" | sort -u | tr '\n' ' ')"
    head -3 <<<"$faults" | sed 's/^/    | /'
  else
    pass "$1: no access violation in any thread of the program, heap free checking on"
  fi
}
