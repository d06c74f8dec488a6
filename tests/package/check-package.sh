#!/usr/bin/env bash
# Builds the Debian package in its own tree and checks it: lintian, the menu entry, the AppStream data, the file list.
set -euo pipefail
work=$1/package
root=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work/out" "$work/root"
VANTREL_DEB_BUILD_DIR=$work/build VANTREL_DEB_OUTPUT_DIR=$work/out bash "$root/tools/build-deb.sh" >"$work.log" 2>&1 ||
    { cat "$work.log"; fail "package build"; }
deb=$(ls "$work"/out/vantrel_*_*.deb)

lintian --fail-on error,warning "$deb" || fail "lintian"
dpkg-deb -x "$deb" "$work/root"
id=io.github.vantrel.Vantrel
desktop-file-validate "$work/root/usr/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/$id.metainfo.xml" || fail "AppStream data"

expected=(usr/games/vantrel usr/share/games/vantrel/clash.wav usr/share/applications/$id.desktop
    usr/share/metainfo/$id.metainfo.xml usr/share/man/man6/vantrel.6.gz usr/share/doc/vantrel/copyright
    usr/share/doc/vantrel/changelog.Debian.gz usr/share/icons/hicolor/scalable/apps/$id.svg)
for size in 16 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x$size/apps/$id.png")
done
for file in "${expected[@]}"; do
    [ -s "$work/root/$file" ] || fail "missing from the package: /$file"
done
[ -x "$work/root/usr/games/vantrel" ] || fail "/usr/games/vantrel is not executable"
dpkg-deb -f "$deb" Section | grep -qx games || fail "section"
dpkg-deb -f "$deb" Depends | grep -q "qt6-qpa-plugins.*fonts-ipafont-gothic.*libpulse0.*libsndfile1" || fail "dependencies"
dpkg-deb -f "$deb" Depends | grep -qi multimedia && fail "Qt Multimedia among the dependencies"
echo "package checked: $deb"
