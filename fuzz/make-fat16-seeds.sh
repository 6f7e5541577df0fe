#!/usr/bin/env bash
# Writes FAT16 seed images for fuzz_fat16_root_dir into OUTDIR: real volumes
# made by mkfs.fat (and filled with mtools), each cut after its first root
# directory sector, since the writer reads nothing beyond it, plus FAT12 and
# FAT32 volumes under the same label and boot sectors with broken values.
set -euo pipefail

out=${1:?usage: make-fat16-seeds.sh OUTDIR}
mkdir -p "$out"
export PATH="$PATH:/usr/sbin:/sbin"
export MTOOLS_SKIP_CHECK=1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# u16 little-endian of the image at a byte offset
u16() { od -An -tu2 -j "$2" -N2 "$1" | tr -d ' '; }
u8() { od -An -tu1 -j "$2" -N1 "$1" | tr -d ' '; }

# Cuts an image after its first root directory sector.
cut_after_root() {
    local img=$1 bps res fats fatsz
    bps=$(u16 "$img" 11); res=$(u16 "$img" 14); fats=$(u8 "$img" 16); fatsz=$(u16 "$img" 22)
    truncate -s $(( (res + fats * fatsz + 1) * bps )) "$img"
}

# Sets a little-endian u16 at a byte offset.
put_u16() {
    printf "$(printf '\\x%02x\\x%02x' $(( $3 & 255 )) $(( $3 >> 8 )))" \
        | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

mkimg() {  # name, size in KiB, then mkfs.fat options
    local name=$1 size=$2; shift 2
    rm -f "$work/$name"
    mkfs.fat --invariant -F 16 "$@" -C "$work/$name" "$size" >/dev/null
}

mkimg one-fat 2100 -f 1 -R 1 -r 16 -s 1
mkimg two-fat 2100 -s 1 -r 16
mkimg sector-1024 4200 -S 1024 -s 1 -r 32

# A root directory sector whose slots are all taken.
mkimg full-root 2100 -s 1 -r 16
for i in $(seq 1 16); do
    printf 'file %d\n' "$i" > "$work/F$i.TXT"
    mcopy -i "$work/full-root" "$work/F$i.TXT" ::/
done

# A deleted entry before used ones.
mkimg deleted-slot 2100 -s 1 -r 16
for f in OLD NEW LAST; do
    printf '%s\n' "$f" > "$work/$f.BIN"
    mcopy -i "$work/deleted-slot" "$work/$f.BIN" ::/
done
mdel -i "$work/deleted-slot" ::/OLD.BIN

# Clusters 2..255 in use: the first FAT sector has no free entry.
mkimg fat-sector-full 2100 -s 1 -r 16
head -c $(( 254 * 512 )) /dev/zero | tr '\0' 'x' > "$work/BIG.BIN"
mcopy -i "$work/fat-sector-full" "$work/BIG.BIN" ::/

# Other FAT types under the bootloader's label: refused untouched.
rm -f "$work/fat12" "$work/fat32"
mkfs.fat --invariant -F 12 -n "AIS B CS" -C "$work/fat12" 2100 >/dev/null
mkfs.fat --invariant -F 32 -s 1 -n "AIS B CS" -C "$work/fat32" 40960 >/dev/null

for img in one-fat two-fat sector-1024 full-root deleted-slot fat-sector-full fat12 fat32; do
    cut_after_root "$work/$img"
    cp "$work/$img" "$out/$img"
done

# Boot sectors alone, with values the writer must refuse or survive.
head -c 512 "$work/one-fat" > "$out/boot-only"
cp "$out/boot-only" "$out/bytes-per-sector-0";   put_u16 "$out/bytes-per-sector-0" 11 0
cp "$out/boot-only" "$out/bytes-per-sector-520"; put_u16 "$out/bytes-per-sector-520" 11 520
cp "$out/boot-only" "$out/reserved-past-end";    put_u16 "$out/reserved-past-end" 14 65535
cp "$out/one-fat" "$out/root-entries-0";         put_u16 "$out/root-entries-0" 17 0
cp "$out/one-fat" "$out/fat-size-past-end";      put_u16 "$out/fat-size-past-end" 22 40000
