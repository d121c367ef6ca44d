# Sourced, right after `set -eu`, by the runs of the real vesk under X, which are given the
# program and json_check: a private home and an onboarded user's data file (so that no tour
# opens the tarnel by itself), no developer variables, an Xvfb display with a compositor,
# and all of it gone at exit. The screen is 1600 × 900 unless $screen (set before) gives
# another WIDTHxHEIGHT. Xvfb picks a display number no other server holds, so runs
# side by side never meet. A run that sets compositor=none before sourcing gets none: the
# screen shows the desktop's own colour, $desktop. Leaves $vesk, $json_check, $work, $display,
# $pids (add your own processes to it), fail, wait_until, start_x and what vesk_process.sh gives.
vesk="$1"
json_check="${2:-}"
. "$(dirname "$0")/private_home.sh"
unset VESK_KEEP VESK_SHOW_HELP VESK_TOUR_AUTOPLAY VESK_TOUR_LOG VESK_VIDEO VESK_VIDEO_T0 2>/dev/null || true

# Every wait is for something the test can see, and its deadline is far beyond what a quiet
# machine needs, so that a machine whose cores are all busy still passes. A sanitized build
# runs several times slower: its deadlines are this many times longer.
patience=1
[ -z "${VESK_SANITIZED:-}" ] || patience=4

# wait_until SECONDS WHAT COMMAND...: runs COMMAND until it succeeds; after SECONDS (times
# the patience) the run fails, saying WHAT did not happen and what COMMAND last left in
# $seen, if anything.
wait_until() {
    wait_end=$(($(date +%s) + $1 * patience))
    wait_what=$2
    seen=""
    shift 2
    until "$@"; do
        [ "$(date +%s)" -lt "$wait_end" ] || fail "$wait_what${seen:+ (last seen: $seen)}"
        sleep 0.1
    done
}

export XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# start_x: a new Xvfb display, with a compositor unless compositor=none; leaves $display and
# the server's pid in $xvfb.
start_x() {
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 "${screen:-1600x900}x24" -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
    xvfb=$!
    pids="$pids $xvfb"
    wait_until 20 "Xvfb did not start" test -s "$work/display"
    display=":$(head -n 1 "$work/display")"
    export DISPLAY="$display"
    if [ "${compositor:-xcompmgr}" = none ]; then
        # Kept since the server does not reset when its last client leaves (-noreset).
        desktop='#3A6EA5'
        xsetroot -solid "$desktop"
    else
        xcompmgr >/dev/null 2>&1 &
        pids="$pids $!"
    fi
}
start_x
export TARNEL_DATA="$work/data.json" QT_QPA_PLATFORM=xcb
printf '%s' '{"lists":[],"tasks":[],"sessions":[],"timer":{},"prefs":{"onboarded":true}}' > "$TARNEL_DATA"
. "$(dirname "$0")/vesk_process.sh"
