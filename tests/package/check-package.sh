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

# The installed game finds its sound beside it and puts it in a private PulseAudio server's sample cache.
rm -rf "$work/sound" && mkdir -p -m 700 "$work/sound/run" "$work/sound/home"
export HOME=$work/sound XDG_RUNTIME_DIR=$work/sound/run PULSE_SERVER=unix:$work/sound/native QT_QPA_PLATFORM=offscreen
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-level=error --load=module-null-sink \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$work/sound/native" &
pids=($!)
trap 'kill "${pids[@]}" 2>/dev/null' EXIT
for _ in $(seq 100); do [ -S "$work/sound/native" ] && break; sleep 0.1; done
(cd "$work/sound/home" && exec "$work/root/usr/games/vantrel") &
pids+=($!)
for _ in $(seq 100); do pactl list samples short | grep -q vantrel && break; sleep 0.1; done
pactl list samples short | grep -q vantrel || fail "the installed game's sound did not get ready"
echo "package checked: $deb"
