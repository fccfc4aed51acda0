#!/bin/sh
# Builds the Debian package of the build folder into a fresh folder.
#   build.sh <cpack> <CPackConfig.cmake> <output folder>
set -eu
cpack=$1 config=$2 out=$3
command -v dpkg-shlibdeps >/dev/null 2>&1 || { echo "skipped: dpkg-shlibdeps (dpkg-dev) is not installed"; exit 77; }
rm -rf "$out"
mkdir -p "$out"
"$cpack" -G DEB --config "$config" -B "$out"
count=$(find "$out" -maxdepth 1 -name 'talonreach_*.deb' | wc -l)
[ "$count" -eq 1 ] || { echo "FAILED: $count packages in $out" >&2; exit 1; }
dpkg-deb --info "$out"/talonreach_*.deb
