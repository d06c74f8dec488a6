#!/usr/bin/env bash
# The real game on weston (headless, its own runtime directory and socket): it starts, shows the ready field
# at 1:1 in its first picture, and a box it opens is a child of its window, which weston keeps above it.
set -euo pipefail
game=$1 sim=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-wayland-XXXXXX")
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR=$work/run WAYLAND_DISPLAY=vantrel-test QT_QPA_PLATFORM=wayland
weston --backend=headless-backend.so --use-pixman --debug --idle-time=0 --width=1024 --height=768 \
    --socket=$WAYLAND_DISPLAY >"$work/weston.log" 2>&1 &
weston=$!
trap 'kill $weston 2>/dev/null; wait $weston 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done

# Runs the game in directory $1 for a moment with the protocol logged, then screenshots the output.
run() {
    (cd "$1" && WAYLAND_DEBUG=client timeout 6 "$game" >"$1/game.log" 2>&1 &)
    for _ in $(seq 50); do grep -q 'wl_surface@[0-9]*.commit' "$1/game.log" 2>/dev/null && break; sleep 0.1; done
    sleep 1
    (cd "$1" && weston-screenshooter)
    pgrep -f "timeout 6 $game" >/dev/null || { echo "the game did not keep running"; exit 1; }
}

t0=$(date +%s)
mkdir "$work/ready" && run "$work/ready"
t1=$(date +%s)
# The first picture holds the ready field at 1:1: the 640 x 400 client, found by its green frame (which
# starts at 9, 19), equals the field the core draws for the second the game started in.
shot=$(echo "$work"/ready/wayland-screenshot-*.png)
read -r w h x y < <(convert "$shot" -fill black +opaque '#00ff00' -trim -format '%w %h %X %Y\n' info:)
[ "$w x $h" = "620 x 360" ] || { echo "ready field frame seen as $w x $h, not 620 x 360"; exit 1; }
convert "$shot" -crop "640x400+$((x - 9))+$((y - 19))" +repage "$work/client.png"
match=
for ((t = t0 - 1; t <= t1; ++t)); do
    "$sim" --seed "$t" --ticks 0 --png "$work/field.png" >/dev/null
    [ "$(compare -metric AE "$work/client.png" "$work/field.png" null: 2>&1)" = 0 ] && match=$t
done
[ -n "$match" ] || { echo "the first picture is not the ready field of seconds $((t0 - 1)) to $t1"; exit 1; }

# A box at start-up (the ranking file cannot be created) is a toplevel whose parent is the game's window.
mkdir "$work/box" && ln -s missing/rank.vtd "$work/box/rank.vtd" && run "$work/box"
main=$(grep -o 'xdg_toplevel@[0-9]*.set_title("Vantrel Ver0.2")' "$work/box/game.log" | head -1 | cut -d. -f1)
grep -q "set_parent($main)" "$work/box/game.log" || { echo "the box is not a child of the game's window"; exit 1; }
echo "wayland: ready field of second $match at 1:1, box kept above its window"
