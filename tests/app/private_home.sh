# Sourced by every run of the real vesk: a private home, no display and no data file of the
# user's, all of it gone at exit. Leaves $work, $pids (add your own processes to it) and fail.
work=$(mktemp -d)
pids=""
cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# keeps_budget CHECK...: runs a check of time or memory, except for a sanitized build
# (VESK_SANITIZED), whose own checks cost what the program does not.
keeps_budget() { [ -n "${VESK_SANITIZED:-}" ] || "$@"; }

export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
unset DISPLAY WAYLAND_DISPLAY TARNEL_DATA 2>/dev/null || true
