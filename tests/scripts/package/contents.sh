#!/bin/bash
# What the package holds, unpacked with dpkg-deb into a temporary root: the program and its data (and
# never a settings file), the desktop entry, the icons at their sizes, the AppStream metadata, the
# manual page and the documents; the desktop entry and the metadata pass their validators; the
# program's version is the package's; and `cmake --install` of the build installs the same files.
#   contents.sh <package folder> <build folder> <source folder> <application id>
set -u
out=$1 build=$2 source=$3 id=$4

fail() {
    echo "FAILED: $*" >&2
    exit 1
}
for tool in desktop-file-validate appstreamcli identify; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done

deb=$(ls "$out"/talonreach_*.deb)
work=$(mktemp -d "${TMPDIR:-/tmp}/talonreach-package.XXXXXX") || fail "no temp folder"
trap 'rm -rf "$work"' EXIT
root=$work/root
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x $deb"

# ---- The files ----
[ -x "$root/usr/games/talonreach" ] || fail "no program in usr/games"
data=$root/usr/share/games/talonreach
for folder in Graphics Sound; do
    expected=$(cd "$build/Resource/$folder" && ls | sort)
    [ -n "$expected" ] || fail "nothing generated in $build/Resource/$folder"
    [ "$(cd "$data/$folder" && ls | sort)" = "$expected" ] || fail "$folder in the package differs from the build's"
done
settings=$(find "$root" -iname 'settings.xml*')
[ -z "$settings" ] || fail "the package holds a settings file: $settings"
for file in "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml" \
    usr/share/man/man6/talonreach.6.gz usr/share/doc/talonreach/README.md \
    usr/share/doc/talonreach/changelog.gz "usr/share/icons/hicolor/scalable/apps/$id.svg"; do
    [ -s "$root/$file" ] || fail "no $file"
done
cmp -s "$root/usr/share/doc/talonreach/copyright" "$source/LICENSE" || fail "the copyright file is not the licence"
gzip -t "$root/usr/share/man/man6/talonreach.6.gz" "$root/usr/share/doc/talonreach/changelog.gz" ||
    fail "a compressed document is damaged"
for size in 16 22 24 32 48 64 128 256; do
    icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png
    [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] || fail "$icon is not ${size}x${size}"
done
echo "files: program, data, desktop entry, icons, metadata, manual page and documents are there"

# ---- Validators and names ----
desktop=$root/usr/share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry does not name the icon $id"
grep -qx "Exec=talonreach" "$desktop" || fail "the desktop entry does not start talonreach"
grep -qx "StartupWMClass=$id" "$desktop" || fail "the desktop entry does not name the window class $id"
dpkg-deb -f "$deb" Recommends | grep -qw zenity || fail "the package does not recommend zenity (boxes on Wayland)"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$root/usr/share/metainfo/$id.metainfo.xml" ||
    fail "the metadata does not launch $id.desktop"

# ---- The version ----
version=$(dpkg-deb -f "$deb" Version)
said=$("$root/usr/games/talonreach" --version)
[ "$said" = "talonreach $version" ] || fail "the program says '$said', the package is version $version"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$id.metainfo.xml" ||
    fail "the metadata has no release $version"
zcat "$root/usr/share/doc/talonreach/changelog.gz" | head -n 1 | grep -q "^talonreach ($version)" ||
    fail "the changelog does not start with $version"
echo "version: $version everywhere"

# ---- The install rules give the package's files ----
DESTDIR=$work/installed cmake --install "$build" --prefix /usr >/dev/null || fail "cmake --install"
packaged=$(cd "$root" && find . -type f | sort)
installed=$(cd "$work/installed" && find . -type f | sort)
[ "$packaged" = "$installed" ] || fail "cmake --install and the package differ: $(diff <(echo "$packaged") <(echo "$installed"))"
echo "cmake --install gives the same $(echo "$packaged" | wc -l) files"
