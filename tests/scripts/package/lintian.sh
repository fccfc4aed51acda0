#!/bin/sh
# lintian on the package: no errors. Warnings and notes are shown.
#   lintian.sh <package folder>
set -eu
command -v lintian >/dev/null 2>&1 || { echo "skipped: lintian is not installed"; exit 77; }
deb=$(ls "$1"/talonreach_*.deb)
# Root runs lintian as well (the tests run as root in CI); it reads the package, it installs nothing.
lintian --allow-root --fail-on error --display-level '>=info' --tag-display-limit 0 "$deb"
echo "lintian: no errors in $(basename "$deb")"
