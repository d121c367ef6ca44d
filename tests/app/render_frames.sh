#!/bin/sh
# vesk --render-frames: numbered PNGs of the requested size, the same pixels on every run,
# no display and no user data touched.
set -eu
vesk="$1"
. "$(dirname "$0")/private_home.sh"
cd "$work"
here=$(pwd)


run() {
    "$vesk" --render-frames "$1" --frames 3 --from 5 --to 300 --size 64 48 --yaw1 0.9
}

line=$(run first) || fail "first run exited with $?"
[ "$line" = "rendered 3 frames → $here/first" ] || fail "line: $line"
names=$(ls first | tr '\n' ' ')
[ "$names" = "f0000.png f0001.png f0002.png " ] || fail "files: $names"
for f in first/*.png; do
    magic=$(od -An -c -j1 -N3 "$f" | tr -d ' ')
    [ "$magic" = "PNG" ] || fail "$f is no PNG"
    # IHDR: width and height, big-endian, at byte 16.
    size=$(od -An -tx1 -j16 -N8 "$f" | tr -d ' \n')
    [ "$size" = "0000004000000030" ] || fail "$f has size $size"
done

run second >/dev/null || fail "second run exited with $?"
for f in f0000.png f0001.png f0002.png; do
    cmp -s "first/$f" "second/$f" || fail "$f differs between runs"
done
# The tree grows and the camera turns: the frames are not all the same.
cmp -s first/f0000.png first/f0002.png && fail "first and last frame are identical"

# A folder that cannot be made: the line still comes, the failure is said and the status set.
touch blocker
if "$vesk" --render-frames blocker/sub --frames 1 --size 8 >out.txt 2>err.txt; then
    fail "a failed write exited with 0"
fi
grep -q "rendered 1 frames" out.txt || fail "no line for the failed run"
[ -s err.txt ] || fail "nothing on standard error for the failed run"

[ ! -e "$work/data" ] || fail "the data folder was created"
echo "ok"
