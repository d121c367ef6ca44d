#!/bin/sh
# The real vesk, run by a user ("nobody"), among files another account (uid 4242) has its hands
# on: a new data folder and file are the user's alone under umask 022; in a data folder every
# account may write, a data file the other account swaps in is no model for the copy aside or
# the file saved after it, and the temporary names it plants do not block the saves; its link in
# /tmp is not followed; a named pipe at start or swapped in never hangs Vesk; a document nested
# 100,000 levels deep is copied aside, not a crash.
set -eu
[ "$(id -u)" -eq 0 ] || { echo "skipped: a second account needs root"; exit 77; }
. "$(dirname "$0")/x_session.sh"
# A vesk stuck on a file ignores SIGTERM: what is left at the end is killed.
trap 'for pid in $pids; do kill -KILL "$pid" 2>/dev/null || true; done; cleanup' EXIT

user="$work/user"
mkdir -p "$user/home" "$user/run"
chmod 700 "$user/run"
chown -R nobody:nogroup "$user"
chmod 711 "$work"
export HOME="$user/home" XDG_RUNTIME_DIR="$user/run" XDG_DATA_HOME="$user/home/.local/share" \
    XDG_CONFIG_HOME="$user/home/.config"
printf '#!/bin/sh\nexec setpriv --reuid=nobody --regid=nogroup --clear-groups "%s" "$@"\n' "$vesk" \
    > "$work/vesk-as-nobody"
chmod 755 "$work/vesk-as-nobody"
vesk="$work/vesk-as-nobody"
other() { setpriv --reuid=4242 --regid=4242 --clear-groups "$@"; }
said() { seen=$(cat "$work/$1.err"); grep -qF "$2" "$work/$1.err"; }
access() { stat -c '%a %U' "$1"; }
# ended NAME: vesk quits on SIGTERM, whatever its status (a file it could not save makes it 1).
ended() {
    kill -TERM "$vpid"
    wait_until 60 "$1: vesk did not quit on SIGTERM (stuck on the file?)" gone "$vpid"
    wait "$vpid" || true
}
list=11111111-1111-4111-8111-111111111111
empty='{"lists":[],"tasks":[],"sessions":[],"timer":{},"prefs":{"onboarded":true}}'
task() { printf '{"id":"%s-2222-4222-8222-222222222222","title":"%s","listID":"%s"}' "$1" "$2" "$list"; }
two_tasks="{\"lists\":[{\"id\":\"$list\",\"name\":\"Inbox\"}],\"tasks\":[$(task 22222222 one),$(task 33333333 two)],\
\"sessions\":[],\"timer\":{},\"prefs\":{\"onboarded\":true}}"

# No data folder yet, umask 022: the folder made is 700, the file 600.
umask 022
unset TARNEL_DATA
launch fresh
quit fresh
[ "$(access "$XDG_DATA_HOME/Vesk")" = "700 nobody" ] || fail "fresh: the data folder is $(access "$XDG_DATA_HOME/Vesk")"
[ "$(access "$XDG_DATA_HOME/Vesk/data.json")" = "600 nobody" ] ||
    fail "fresh: the data file is $(access "$XDG_DATA_HOME/Vesk/data.json")"
umask 077

# A data folder every account may write. The other account plants temporary names of the
# running vesk's, then swaps its own data.json in, open to all, in place of the user's, which it
# cannot read. The copy of what the merge removes and the file saved after it are the user's
# alone, said once; the saves go through.
export TARNEL_DATA="$work/shared/data.json"
mkdir -m 777 "$work/shared"
chown nobody:nogroup "$work/shared"
printf '%s' "$two_tasks" > "$TARNEL_DATA"
chown nobody:nogroup "$TARNEL_DATA"
chmod 600 "$TARNEL_DATA"
launch shared
other /usr/bin/python3 - "$TARNEL_DATA" "$vpid" "$empty" <<'PY'
import os, sys
path, pid, empty = sys.argv[1:]
folder, name = os.path.split(path)
for n in range(3000):
    os.symlink("/nowhere", os.path.join(folder, ".%s.tmp-%s-%d" % (name, pid, n)))
os.rename(path, os.path.join(folder, "old.json"))
with open(path, "w") as planted:
    planted.write(empty)
os.chmod(path, 0o666)
PY
wait_until 20 "shared: the merge was not said" said shared "removed 2 tasks"
copy=$(ls "$TARNEL_DATA".before-merge-*)
[ "$(access "$copy")" = "600 nobody" ] || fail "shared: the copy aside is $(access "$copy")"
if other cat "$copy" > /dev/null 2>&1; then fail "shared: the other account reads the copy aside"; fi
said shared "$TARNEL_DATA can be written by every account, so the files Vesk writes beside it and in its place are yours alone" ||
    fail "shared: the file open to all was not said"
quit shared
[ "$(access "$TARNEL_DATA")" = "600 nobody" ] || fail "shared: the saved file is $(access "$TARNEL_DATA")"
[ "$(grep -c "yours alone" "$work/shared.err")" -eq 1 ] || fail "shared: not said once: $(cat "$work/shared.err")"

# The other account's link in /tmp-like folder, to a file of its own open to all: not followed,
# said, and the file is untouched.
sticky="$work/sticky"
mkdir -m 1777 "$sticky"
export TARNEL_DATA="$sticky/data.json"
other sh -c "printf '%s' '$empty' > '$sticky/theirs.json'; chmod 666 '$sticky/theirs.json'; ln -s '$sticky/theirs.json' '$TARNEL_DATA'"
launch planted
wait_until 10 "planted: the link was not said" said planted \
    "cannot read $TARNEL_DATA: the symbolic link $TARNEL_DATA is another account's, and is not followed"
ended planted
[ "$(cat "$sticky/theirs.json")" = "$empty" ] || fail "planted: written through the link: $(cat "$sticky/theirs.json")"

# A named pipe as the data file at start (and one it may not write as its lock file), and one
# swapped in while vesk runs: said, never waited on, and vesk quits.
export TARNEL_DATA="$user/data.json"
setpriv --reuid=nobody --regid=nogroup --clear-groups mkfifo "$TARNEL_DATA"
mkfifo -m 444 "$TARNEL_DATA.lock"
launch pipe
wait_until 10 "pipe: no word of it" said pipe "cannot read $TARNEL_DATA: a named pipe, not a file"
ended pipe
[ -p "$TARNEL_DATA" ] || fail "pipe: the named pipe was replaced"
rm "$TARNEL_DATA" "$TARNEL_DATA.lock"
printf '%s' "$empty" > "$TARNEL_DATA"
chown nobody:nogroup "$TARNEL_DATA"
launch swapped
setpriv --reuid=nobody --regid=nogroup --clear-groups mkfifo "$user/pipe"
mv "$user/pipe" "$TARNEL_DATA"
ended swapped
[ -p "$TARNEL_DATA" ] || fail "swapped: the named pipe was replaced"
rm "$TARNEL_DATA"

# 100,000 levels of arrays in a member Vesk does not know: copied aside and said, then the
# file is Vesk's own again, of its usual size.
/usr/bin/python3 -c "import sys; n = 100000; sys.stdout.write('{\"lists\":[],\"tasks\":[],\"sessions\":[],\"timer\":{},\"prefs\":{\"onboarded\":true},\"x\":' + '[' * n + ']' * n + '}')" \
    > "$TARNEL_DATA"
chown nobody:nogroup "$TARNEL_DATA"
launch deep
wait_until 10 "deep: no word of it" said deep "does not decode (line 1, column"
said deep "nested more than 512 levels deep); it is kept as $TARNEL_DATA.corrupt-" ||
    fail "deep: want the line naming the copy: $(cat "$work/deep.err")"
quit deep
[ "$(stat -c %s "$TARNEL_DATA")" -lt 10000 ] || fail "deep: the file saved is $(stat -c %s "$TARNEL_DATA") bytes"
"$json_check" "$TARNEL_DATA" || fail "deep: the file saved is no JSON"
echo "ok"
