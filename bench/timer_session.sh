# Sourced, after `set -euo pipefail`, by the timer figures: takes VESK [collapsed|focus]
# [pomodoro|stopwatch] from the caller's arguments (read the rest first) and opens an X
# session with a compositor; start_timer then launches vesk with that timer running, the
# pointer away from the pill, past the opening transitions.
here=$(cd "$(dirname "$0")" && pwd)
vesk=$(realpath "$1")
place=${2:-collapsed}
mode=${3:-pomodoro}
# The X session finds its helpers next to the script that sources it, and takes the program
# from $1: the path made absolute above.
set -- "$vesk"
BASH_ARGV0="$here/../tests/app/$(basename "$0")"
. "$here/../tests/app/x_session.sh"
. "$here/../tests/app/vesk_process.sh"

start_timer() {
    local options=(--timer "$mode")
    [ "$place" = focus ] && options+=(--expand focus)
    launch timer "${options[@]}"
    xdotool mousemove 100 800
    sleep 3 # past the opening transitions
}
