# Sourced by the checks that run in a clean Debian tree: the package check
# (Debian 12 and 13) and the Wine checks (Wine 10 from Debian 13 "trixie").
#
#   minbase_tarball RELEASE LOG    a debootstrap --variant=minbase tree of
#                                  RELEASE, kept as $DEBIAN_TREE_CACHE/
#                                  RELEASE-minbase.tar with its SHA-256; made
#                                  once, made again when missing or damaged;
#                                  prints its path; debootstrap's words in LOG
#   wine_tree_make LOG             the trixie tree with Wine 10 and the tools
#                                  of the Wine checks, unpacked once from that
#                                  tarball into $WINE_TREE and kept; made again
#                                  when the tarball, the package list or this
#                                  file's packages changed, or Wine there does
#                                  not start
#   wine_tree_run CMD...           CMD in that tree: its own mount and PID
#                                  namespaces (everything started there ends
#                                  with CMD), /proc, /dev, /sys, /tmp (the X
#                                  sockets) and the checkout and build folders
#                                  bound in at their own paths
#   wine_tree_enter NAME SCRIPT ARGS...
#                                  for a Wine check (reporting as NAME): runs
#                                  SCRIPT ARGS again inside the tree, its
#                                  results counted with those already
#                                  reported, and ends with its status; inside
#                                  the tree it returns at once. With
#                                  AIS_WINE=host the check runs on this
#                                  machine's own Wine instead.
#
# Cost, measured on the 2-core machine: see the README ("Wine 10 for the
# checks").

DEBIAN_TREE_CACHE=/var/cache/ais-deb-check
DEBIAN_MIRROR=http://deb.debian.org/debian
WINE_TREE="$DEBIAN_TREE_CACHE/trixie-wine"
# What the Wine checks run there: Wine and its Tahoma, the X server and the
# tools that drive and read it, the FAT16 tools, and the libraries of the
# Linux build's simulator (Qt 5 core, umockdev) and of the Wine start-up
# benchmark (Qt 5 widgets; scripts/run-bench.sh wine).
WINE_TREE_PACKAGES=(
  wine wine64 fonts-wine
  xvfb xdotool imagemagick tesseract-ocr tesseract-ocr-eng
  dosfstools mtools unzip
  libqt5core5t64 libumockdev0 libqt5widgets5t64
)

# Runs the rest with an exclusive lock on FILE: two checks may make the same
# tree at once.
with_lock() { # file cmd...
  local lock="$1"
  shift
  mkdir -p "$(dirname "$lock")"
  (flock 9 && "$@") 9>"$lock"
}

minbase_tarball() { # release log
  with_lock "$DEBIAN_TREE_CACHE/$1.lock" minbase_tarball_locked "$@"
}
minbase_tarball_locked() {
  local release="$1" log="$2" tarball="$DEBIAN_TREE_CACHE/$1-minbase.tar" new="$DEBIAN_TREE_CACHE/$1-minbase.new"
  if [ -f "$tarball.sha256" ] && (cd "$DEBIAN_TREE_CACHE" && sha256sum --quiet -c "$(basename "$tarball").sha256" >/dev/null 2>&1); then
    echo "$tarball"
    return 0
  fi
  rm -rf --one-file-system "$tarball" "$tarball.sha256" "$new"
  # In a mount namespace of its own, so nothing debootstrap mounts stays.
  if unshare --mount --propagation private \
       debootstrap --variant=minbase "$release" "$new" "$DEBIAN_MIRROR" >"$log" 2>&1 &&
     rm -f "$new"/var/cache/apt/archives/*.deb &&
     tar -C "$new" -cf "$tarball" . &&
     (cd "$DEBIAN_TREE_CACHE" && sha256sum "$(basename "$tarball")" >"$(basename "$tarball").sha256"); then
    rm -rf --one-file-system "$new"
    echo "$tarball"
    return 0
  fi
  rm -rf --one-file-system "$tarball" "$tarball.sha256" "$new"
  return 1
}

# What a kept tree was made from: the tarball's sum and the package list.
wine_tree_stamp() { # tarball
  { cat "$1.sha256"; printf '%s\n' "${WINE_TREE_PACKAGES[@]}"; }
}

wine_tree_make() { # log
  with_lock "$DEBIAN_TREE_CACHE/trixie-wine.lock" wine_tree_make_locked "$@"
}
wine_tree_make_locked() {
  local log="$1" tarball archives="$DEBIAN_TREE_CACHE/archives-trixie" t="$WINE_TREE"
  tarball="$(minbase_tarball trixie "$log")" || return 1
  if [ "$(cat "$t/.made-from" 2>/dev/null)" = "$(wine_tree_stamp "$tarball")" ] &&
     wine_tree_run wine --version >/dev/null 2>&1; then
    return 0
  fi
  echo "making $t from $tarball" >"$log"
  rm -rf --one-file-system "$t"
  mkdir -p "$t" "$archives/partial"
  tar -C "$t" -xf "$tarball" || return 1
  cp /etc/resolv.conf "$t/etc/resolv.conf"
  # The packages fetched stay in the cache beside the tree, for the next
  # tree and for the package check's trixie tree.
  unshare --mount --propagation private bash -c '
    t="$1"
    mount -t proc proc "$t/proc" && mount --bind "$2" "$t/var/cache/apt/archives" || exit 1
    c() { chroot "$t" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"; }
    c apt-get update -q && c apt-get install -y -q --no-install-recommends "${@:3}" && c apt-get autoclean -q
  ' _ "$t" "$archives" "${WINE_TREE_PACKAGES[@]}" >>"$log" 2>&1 || return 1
  wine_tree_stamp "$tarball" >"$t/.made-from"
  wine_tree_run wine --version >>"$log" 2>&1
}

# The folders bound into the tree at their own paths: the checkout and the
# build folders the checks are told of.
wine_tree_binds() {
  local d
  for d in "$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)" ${AIS_WIN_BUILD_DIR:-} ${AIS_LINUX_BUILD_DIR:-} ${AIS_SIM_BUILD_DIR:-}; do
    [ -d "$d" ] && realpath "$d"
  done | sort -u
}

wine_tree_run() { # cmd...
  local binds
  mapfile -t binds < <(wine_tree_binds)
  unshare --mount --pid --fork --kill-child --propagation private bash -c '
    t="$1" n="$2"; shift 2
    mount -t proc proc "$t/proc" &&
      mount --rbind /dev "$t/dev" && mount --make-rslave "$t/dev" &&
      mount --rbind /sys "$t/sys" && mount --make-rslave "$t/sys" &&
      mount --bind /tmp "$t/tmp" || exit 125
    for d in "${@:1:$n}"; do
      mkdir -p "$t$d" && mount --bind "$d" "$t$d" || exit 125
    done
    shift "$n"
    # In the folder it was started from, where the tree has it.
    exec chroot "$t" /bin/bash -c '"'"'cd "$1" 2>/dev/null || cd /; shift; exec "$@"'"'"' _ "$PWD" \
      /usr/bin/env PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin AIS_WINE_TREE_INSIDE=1 "$@"
  ' _ "$WINE_TREE" "${#binds[@]}" "${binds[@]}" "$@"
}

wine_tree_enter() { # script args...
  local script="$1" t0=$SECONDS log rc
  shift
  [ -n "${AIS_WINE_TREE_INSIDE:-}" ] && return 0
  if [ "${AIS_WINE:-}" = host ]; then
    say "on this machine's own Wine (AIS_WINE=host)"
    return 0
  fi
  log="$(mktemp "${TMPDIR:-/tmp}/wine-tree.XXXXXX")"
  if [ "$(id -u)" -ne 0 ]; then
    fail "the Debian 13 tree with Wine 10 needs root (debootstrap, chroot, mounts); AIS_WINE=host runs on this machine's Wine"
    report_end
  fi
  if ! wine_tree_make "$log"; then
    fail "the Debian 13 tree with Wine 10 is made in $WINE_TREE" "$(tail -3 "$log" | tr '\n' ' ')"
    rm -f "$log"
    report_end
  fi
  if grep -q '^making ' "$log"; then
    say "Debian 13 tree with Wine 10 made in $((SECONDS - t0)) s: $WINE_TREE ($(du -sh --one-file-system "$WINE_TREE" | cut -f1))"
  else
    say "Debian 13 tree with Wine 10: $WINE_TREE, kept ($((SECONDS - t0)) s)"
  fi
  rm -f "$log"
  rc=0
  AIS_CHECK_RESULTS="$report_results" wine_tree_run bash "$script" "$@" || rc=$?
  if [ $rc = 125 ]; then
    fail "the Debian 13 tree gets /proc, /dev, /sys, /tmp and the build folders"
    report_end
  fi
  exit $rc
}
