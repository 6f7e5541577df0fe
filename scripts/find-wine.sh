# Sourced by the Wine checks: sets wine and wineserver to Debian's wine64
# and its server (which live in /usr/lib/wine, off the PATH), or leaves
# them empty when Wine is not installed.
wine=""
for w in wine64 /usr/lib/wine/wine64 wine; do
  if command -v "$w" >/dev/null 2>&1; then wine="$(command -v "$w")"; break; fi
done
wineserver=""
for w in wineserver /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver; do
  if command -v "$w" >/dev/null 2>&1; then wineserver="$(command -v "$w")"; break; fi
done
