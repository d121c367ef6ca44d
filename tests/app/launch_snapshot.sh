#!/bin/sh
# Launch scenarios with "--snapshot" on the real vesk under a compositor: each run writes its
# picture, framed as the tarnel is, and quits by itself with status 0, leaving a valid data
# file; a picture that cannot be written fails the run. The pictures are kept in
# $VESK_SHOTS when that is set.
set -eu
. "$(dirname "$0")/x_session.sh"

# shoot NAME WIDTH HEIGHT OPTIONS...: the picture must be WIDTH × HEIGHT pixels (device
# pixel ratio 1 on Xvfb).
shoot() {
    name=$1 width=$2 height=$3
    shift 3
    shot="$work/$name.png"
    start=$(date +%s%N)
    set +e
    run_to_end "$@" --snapshot "$shot" > "$work/$name.out" 2> "$work/$name.err"
    status=$?
    set -e
    echo "$name: $(( ($(date +%s%N) - start) / 1000000 )) ms"
    [ "$status" -ne 124 ] || fail "$name: vesk did not quit after the snapshot"
    [ "$status" -eq 0 ] || fail "$name: exit status $status: $(cat "$work/$name.err")"
    [ -f "$shot" ] || fail "$name: no picture"
    [ "$(od -An -c -j1 -N3 "$shot" | tr -d ' ')" = "PNG" ] || fail "$name: the picture is no PNG"
    # IHDR: width and height, big-endian, at byte 16.
    size=$(od -An -tx1 -j16 -N8 "$shot" | tr -d ' \n')
    [ "$size" = "$(printf '%08x%08x' "$width" "$height")" ] || fail "$name: picture size $size, want ${width}x$height"
    "$json_check" "$TARNEL_DATA" || fail "$name: the data file is no longer valid JSON"
    if [ -n "${VESK_SHOTS:-}" ]; then mkdir -p "$VESK_SHOTS" && cp "$shot" "$VESK_SHOTS/"; fi
}

# The picture is the tarnel with 30 points of margin left, right and below. The stats tab
# is 440 × 446.
shoot stats 500 476 --expand stats
# A reveal during the snapshot makes room for its panel: 262 wider, at least 304 high.
shoot reveal 762 476 --expand stats --reveal 5
# The collapsed pill with a toast: at least 300 wide, 30 + 34 high.
shoot toast 360 94 --toast

# A picture that cannot be written: said on standard error, and the run fails.
set +e
run_to_end --delay 0.2 --snapshot "$work/missing/folder/x.png" > /dev/null 2> "$work/unwritable.err"
status=$?
set -e
[ "$status" -eq 1 ] || fail "an unwritable snapshot exited with $status"
grep -q "could not write the snapshot" "$work/unwritable.err" || fail "unwritable snapshot: $(cat "$work/unwritable.err")"
"$json_check" "$TARNEL_DATA" || fail "the data file is no longer valid JSON"
echo "ok"
