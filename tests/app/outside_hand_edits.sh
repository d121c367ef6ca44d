#!/bin/sh
# The real vesk while the user edits its data file by hand: the newest task deleted in vim; a
# task deleted in the app put back by a script; a task's block pasted in vim and retitled, then
# the copy deleted in the app; members this program does not know added by a script at every
# level. Each holds: gone stays gone, back stays back, the copy is a task of its own, and the
# members are written back.
set -eu
. "$(dirname "$0")/x_session.sh"
. "$(dirname "$0")/outside_editor.sh"

type_task Newest
vim_open
vim_do "%!jq 'del(.tasks[] | select(.title == \"Newest\"))'"
vim_write
sync
check "the newest task deleted in vim came back" [ -z "$(task Newest .id)" ]

cp "$TARNEL_DATA" "$work/before.json"
delete_row 1 # sync 1
kept=$(jq -c '.tasks[] | select(.title == "sync 1")' "$work/before.json")
jq -c --argjson task "$kept" '.tasks += [$task]' "$TARNEL_DATA" > "$work/put-back.json"
mv "$work/put-back.json" "$TARNEL_DATA"
sync
check "the task put back by hand was ignored" [ -n "$(task "sync 1" .id)" ]

vim_open
vim_do "%!jq '.tasks += [.tasks[] | select(.title == \"Alpha\") | .title = \"Pasted\" | .order = -100]'"
vim_write
sync
check "the pasted copy shares Alpha's id" [ "$(task Pasted .id)" != "$(task Alpha .id)" ]
delete_row 2 # Pasted, under the sync task
check "deleting the pasted copy deleted Alpha too" [ -n "$(task Alpha .id)" ]

jq -c '.prefs.accent = "teal" | .timer.x = 1 | .sessions[0].x = 2 | .bonsai.x = 3 | .bonsai.garden[0].x = 4' \
    "$TARNEL_DATA" > "$work/members.json"
mv "$work/members.json" "$TARNEL_DATA"
sync
for member in .prefs.accent .timer.x '.sessions[0].x' .bonsai.x '.bonsai.garden[0].x'; do
    check "$member was dropped at the merge" [ "$(jq -c "$member" "$TARNEL_DATA")" != null ]
done
finish
