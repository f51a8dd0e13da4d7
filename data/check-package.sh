#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package that cpack made in the given build: its desktop entry and
# AppStream metadata validate, it unpacks, its programs run from the unpacked
# tree, and lintian finds no error in it.
set -euo pipefail
build=${1:?build folder}
deb=$(ls "$build"/quorvane_*.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/org.quorvane.Quorvane.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.quorvane.Quorvane.metainfo.xml"
"$root/usr/bin/quorvane-cli" --version
"$root/usr/bin/quorvane-cli" chamber timing=190 RPM=10000 temp=500 portWindowD=40 portLength=30 portFlangeD=38 |
  grep -qx '889.27'
for page in quorvane quorvane-cli; do
  zcat "$root/usr/share/man/man1/$page.1.gz" | grep -q '^\.TH'
done
# Errors fail the check; warnings and notes are shown for whoever reads the log.
lintian --fail-on error --tag-display-limit 0 "$deb"
echo "package checked: $(basename "$deb")"
