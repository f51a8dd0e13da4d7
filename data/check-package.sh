#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package that cpack made in the given build: its desktop entry and
# AppStream metadata validate, it unpacks, its programs run from the unpacked
# tree, the manual's pages are all there, and lintian finds no error in it.
set -euo pipefail
build=${1:?build folder}
deb=$(ls "$build"/quorvane_*.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/org.quorvane.Quorvane.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.quorvane.Quorvane.metainfo.xml"
"$root/usr/bin/quorvane-cli" --version
# The window program answers without a display, and its manual is there to read in a browser.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/quorvane" --version
# The windows that draw charts come as a module, where the program looks for it, and the program
# gives the module all it takes of the program's own.
module=$(find "$root/usr/lib" -path '*/quorvane/quorvane-windows.so')
test "$(realpath "$(dirname "$module")")" = "$(realpath "$root/usr/bin$(strings -el "$root/usr/bin/quorvane" |
  grep -x '/\.\./lib.*/quorvane/')")"
missing=$(comm -23 <(nm -D --undefined-only "$module" | awk '/8quorvane/ {print $2}' | sort) \
  <(nm -D --defined-only "$root/usr/bin/quorvane" | awk '{print $3}' | sort))
test -z "$missing" || { echo "the program does not give the window module: $missing" >&2; exit 1; }
html=$root/usr/share/doc/quorvane/html
for page in index.html $(grep -o 'href="[^"#:]*\.html"' "$html/index.html" | cut -d'"' -f2); do
  test -s "$html/$page" || { echo "manual page $page missing from the package"; exit 1; }
done
"$root/usr/bin/quorvane-cli" chamber timing=190 RPM=10000 temp=500 portWindowD=40 portLength=30 portFlangeD=38 |
  grep -qx '889.27'
for page in quorvane quorvane-cli; do
  zcat "$root/usr/share/man/man1/$page.1.gz" | grep -q '^\.TH'
done
# quorvane-cli's page as man renders it: every command of the help is a subsection of its
# own, and lexgrog (which builds the whatis database) reads its name line.
page="$root/usr/share/man/man1/quorvane-cli.1.gz"
rendered=$(MANWIDTH=120 man -l "$page" 2>/dev/null | col -bx)
for command in $("$root/usr/bin/quorvane-cli" --help | awk '/^Commands:/ {on = 1; next} /^[^ ]/ {on = 0} on && /^  [a-z]/ {print $1}' | sort -u); do
  grep -qx "   $command" <<<"$rendered" || { echo "man quorvane-cli has no entry for $command" >&2; exit 1; }
  grep -q "^       quorvane-cli $command" <<<"$rendered" || { echo "man quorvane-cli lacks the usage of $command" >&2; exit 1; }
done
lexgrog "$page" | grep -q 'quorvane-cli - expansion chamber'
# Errors fail the check; warnings and notes are shown for whoever reads the log.
lintian --fail-on error --tag-display-limit 0 "$deb"
echo "package checked: $(basename "$deb")"
