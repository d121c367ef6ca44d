# Sourced, after x_session.sh, by the runs of the real vesk whose data file another program
# edits (vim in tmux, scripts with jq): a data file of four tasks "Alpha" to "Delta" (Alpha on
# top), a logged session and a planted tree; vesk started on it. Leaves what x_session.sh
# leaves and the helpers below. Between another program's read and its write nothing else
# reads the file, as the app takes the last read it saw as what the write is based on: the
# waits for the app's own saves look at the file's inode, never at its bytes.
list=11111111-1111-4111-8111-111111111111
task_at() {
    printf '{"id":"00000000-0000-4000-8000-00000000000%s","listID":"%s","title":"%s","order":%s,"createdAt":"2026-01-01T00:00:00Z"}' \
        "$1" "$list" "$2" "$1"
}
cat > "$TARNEL_DATA" << DATA
{"lists":[{"id":"$list","name":"Inbox"}],
 "tasks":[$(task_at 1 Alpha),$(task_at 2 Bravo),$(task_at 3 Charlie),$(task_at 4 Delta)],
 "sessions":[{"id":"22222222-2222-4222-8222-222222222222","mode":"pomodoro","start":"2026-01-01T09:00:00Z","duration":1500,"fullPomodoro":true}],
 "timer":{},"prefs":{"onboarded":true,"selectedListID":"$list"},
 "bonsai":{"seed":5,"garden":[{"id":"33333333-3333-4333-8333-333333333333","seed":5,"plantedAt":"2026-01-01T00:00:00Z","cubesGrown":3}]}}
DATA
launch outside

# Failures are gathered, so that a run on a faulty build names every case that fails.
failures=""
check() {
    what=$1
    shift
    "$@" || { failures="$failures; $what"; echo "FAIL: $what" >&2; }
}
finish() { [ -z "$failures" ] || fail "${failures#; }"; quit outside; echo "ok"; }

# task TITLE FILTER: FILTER (jq) on the task titled TITLE in the data file; has TITLE FILTER:
# that value is true.
task() { jq -r --arg t "$1" ".tasks[] | select(.title == \$t) | $2" "$TARNEL_DATA"; }
has() { [ "$(task "$1" "$2")" = true ]; }

# mark, then saved_after WHAT: the app has replaced the file since the mark (each save is a
# new file).
inode() { stat -c %i "$TARNEL_DATA"; }
mark() { marked=$(inode); }
replaced() { [ "$(inode)" != "$marked" ]; }
saved_after() { wait_until 20 "$1: the app did not save" replaced; }

# add_focused: the tarnel open with the add field focused.
add_focused() {
    add_field_focused && return 0
    if is_open; then
        xdotool key alt+space
        closed "the hot key"
    fi
    xdotool key alt+space
    wait_until 30 "Alt+Space did not focus the add field" add_field_focused
}
# type_task TITLE: typed in the app (on top of the list) and saved.
type_task() {
    add_focused
    mark
    xdotool type --delay 30 "$1"
    xdotool key Return
    saved_after "\"$1\" typed"
}
# complete_top: a click on the first row's check circle, and the save.
complete_top() {
    add_focused
    xdotool mousemove 100 800 # no row lit under the pointer
    wait_until 10 "the first row did not show" row_shown 1
    mark
    xdotool mousemove 629 133 click 1
    saved_after "the first row completed"
}
# delete_row N: the Nth row's menu, its last entry "Delete", and the save.
delete_row() {
    add_focused
    xdotool mousemove 100 800
    wait_until 10 "row $1 did not show" row_shown "$1"
    window=$(xdotool search --onlyvisible --pid "$vpid" | head -n 1)
    mark
    xdotool mousemove 700 $((133 + 32 * ($1 - 1))) click 3
    wait_until 10 "the task's menu did not open" menu_shown
    xdotool key Up Return
    saved_after "row $1 deleted"
}
# sync: a task typed and saved, after another program's write: the save merges it first. The
# file is read here, as the write it follows has been made.
synced=0
sync() {
    synced=$((synced + 1))
    type_task "sync $synced"
    wait_until 20 "\"sync $synced\" is not in the file" grep -q "\"sync $synced\"" "$TARNEL_DATA"
}

# vim in tmux, on a server of the run's own.
tmux_socket="vesk-$$"
vim_open() {
    tmux -L "$tmux_socket" new-session -d -s ed -x 200 -y 50 "vim -n '$TARNEL_DATA'"
    pids="$pids $(tmux -L "$tmux_socket" display -p -t ed '#{pid}')"
    vim_says '[0-9]L, [0-9]*B'
}
vim_shows() {
    seen=$(tmux -L "$tmux_socket" capture-pane -p -t ed)
    printf '%s' "$seen" | grep -q "$1"
}
vim_says() { wait_until 20 "vim did not show $1" vim_shows "$1"; }
# vim_do COMMAND: an Ex command typed in vim.
vim_do() { tmux -L "$tmux_socket" send-keys -t ed -l ":$1" && tmux -L "$tmux_socket" send-keys -t ed Enter; }
# vim_write: :w, with yes when vim asks since the file changed after it read it; then :q.
vim_write() {
    vim_do w
    wrote_or_asked() { vim_shows 'written' || vim_shows 'really want to write'; }
    wait_until 20 "vim did not write" wrote_or_asked
    if ! vim_shows 'written'; then
        tmux -L "$tmux_socket" send-keys -t ed y
        vim_says 'written'
    fi
    vim_do 'q!'
    vim_gone() { ! tmux -L "$tmux_socket" has-session -t ed 2> /dev/null; }
    wait_until 20 "vim did not quit" vim_gone
}
