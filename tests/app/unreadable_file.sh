#!/bin/sh
# The real vesk, run by a second user ("nobody"), on data files it cannot read or decode: it
# says so at start, a typed task is a failed save that is said once and never written over
# the file, and it reaches the file once the file can be read (chmod 600 after chmod 000); a
# quit with it unwritten says so and exits 1 (a file left owned by root by one `sudo vesk`).
# A folder in the file's place and a 64 GB file are unreadable too, and untouched; an
# undecodable file is copied aside with one line saying where decoding stopped.
set -eu
. "$(dirname "$0")/x_session.sh"

# Its home, runtime folder and data folder are its own; the X server, this script and the
# files it leaves behind are root's.
user="$work/user"
mkdir -p "$user/home" "$user/run" "$user/data"
chmod 700 "$user/run"
chown -R nobody:nogroup "$user"
chmod 711 "$work"
export HOME="$user/home" XDG_RUNTIME_DIR="$user/run" XDG_DATA_HOME="$user/home/.local/share" \
    XDG_CONFIG_HOME="$user/home/.config" TARNEL_DATA="$user/data/data.json"
printf '#!/bin/sh\nexec setpriv --reuid=nobody --regid=nogroup --clear-groups "%s" "$@"\n' "$vesk" \
    > "$work/vesk-as-nobody"
chmod 755 "$work/vesk-as-nobody"
vesk="$work/vesk-as-nobody"

list=11111111-1111-4111-8111-111111111111
printf '{"lists":[{"id":"%s","name":"Inbox"}],"tasks":[{"title":"from before","listID":"%s","order":1}],' \
    "$list" "$list" > "$TARNEL_DATA"
printf '"sessions":[],"timer":{},"prefs":{"onboarded":true,"selectedListID":"%s"}}' "$list" >> "$TARNEL_DATA"
cp "$TARNEL_DATA" "$work/before.json"

# Without the user's data vesk takes them for new and opens its welcome card by itself.
accent='#94CC8C'
welcome_shown() { edge_at 921 421 '#000000' "$accent"; }
# type_task NAME TITLE: "Skip tour" on the welcome card, which leaves the tarnel open on the
# tasks tab; a click in its add field, the title and Return.
type_task() {
    wait_until 30 "$1: no welcome card" welcome_shown
    xdotool mousemove 640 421 click 1
    wait_until 30 "$1: the welcome card stayed" eval '! welcome_shown'
    pressed=0
    wait_until 30 "$1: the add field did not take the keyboard" pressed_until add_field_focused 800 89
    xdotool type --delay 40 "$2"
    xdotool key Return
}
said() { seen=$(cat "$work/$1.err"); grep -q "$2" "$work/$1.err"; }
in_file() { grep -q "\"$1\"" "$TARNEL_DATA" 2> /dev/null; }

# chmod 000 at start, a typed task, chmod 600: the task reaches the file, merged into it.
chown nobody:nogroup "$TARNEL_DATA"
chmod 000 "$TARNEL_DATA"
launch locked
wait_until 10 "locked: no word of the unreadable file" said locked "cannot read $TARNEL_DATA: Permission denied"
type_task locked "typed while locked"
wait_until 10 "locked: the failed save was not said" said locked "cannot save $TARNEL_DATA: it cannot be read"
cmp "$TARNEL_DATA" "$work/before.json" || fail "locked: the unreadable file was written over"
chmod 600 "$TARNEL_DATA"
wait_until 10 "locked: the typed task never reached the file" in_file "typed while locked"
in_file "from before" || fail "locked: the file's own task is gone: $(cat "$TARNEL_DATA")"
[ "$(grep -c "cannot save" "$work/locked.err")" -eq 1 ] || fail "locked: the failure was not said once"
quit locked

# The file left owned by root, as after one `sudo vesk`: a quit with the typed task unwritten
# says so and exits 1, and the file is as it was.
chown root:root "$TARNEL_DATA"
cp "$TARNEL_DATA" "$work/before.json"
launch rooted
type_task rooted "typed, never saved"
wait_until 10 "rooted: the failed save was not said" said rooted "cannot save $TARNEL_DATA: it cannot be read"
kill -TERM "$vpid"
wait_until 120 "rooted: vesk did not quit on SIGTERM" gone "$vpid"
set +e
wait "$vpid"
status=$?
set -e
[ "$status" -eq 1 ] || fail "rooted: exit status $status, want 1"
said rooted "quitting with changes not saved to $TARNEL_DATA" || fail "rooted: the quit did not say what is lost"
cmp "$TARNEL_DATA" "$work/before.json" || fail "rooted: the file was written over"
chown nobody:nogroup "$TARNEL_DATA"

# A folder in the file's place is never moved; once it is gone the typed task is written.
mv "$TARNEL_DATA" "$work/kept.json"
mkdir "$TARNEL_DATA"
touch "$TARNEL_DATA/inside"
chown -R nobody:nogroup "$TARNEL_DATA"
launch folder
wait_until 10 "folder: no word of it" said folder "cannot read $TARNEL_DATA: Is a directory"
type_task folder "typed over a folder"
wait_until 10 "folder: the failed save was not said" said folder "cannot save $TARNEL_DATA: it cannot be read (Is a directory)"
[ -f "$TARNEL_DATA/inside" ] || fail "folder: the folder was moved"
rm -r "$TARNEL_DATA"
wait_until 10 "folder: the typed task never reached the file" in_file "typed over a folder"
quit folder

# 64 GB (sparse): unreadable, untouched, and no abort.
rm "$TARNEL_DATA"
truncate -s 64G "$TARNEL_DATA"
chown nobody:nogroup "$TARNEL_DATA"
launch huge
wait_until 10 "huge: no word of it" said huge "cannot read $TARNEL_DATA: larger than 256 MB"
quit huge
[ "$(stat -c %s "$TARNEL_DATA")" -eq $((64 << 30)) ] || fail "huge: the file was changed"

# Undecodable: one line naming the copy and where decoding stopped.
printf '{"lists": [{"id": "%s",\n "name": 7}]}' "$list" > "$TARNEL_DATA"
chown nobody:nogroup "$TARNEL_DATA"
launch broken
copy=$(ls "$TARNEL_DATA".corrupt-*)
said broken "$TARNEL_DATA does not decode (line 2, column 10: expected a string); it is kept as $copy" ||
    fail "broken: want one line naming the copy: $(cat "$work/broken.err")"
quit broken
echo "ok"
