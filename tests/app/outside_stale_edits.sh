#!/bin/sh
# The real vesk while programs write back what they read before the app changed it: vim opened
# on the file, a task ticked in the app, its title changed in vim and written; a script that
# read the file writing it back with tags on every task, a completion made in between; vim left
# open across ten saves. What the app did meanwhile stays, and what they changed is taken.
set -eu
. "$(dirname "$0")/x_session.sh"
. "$(dirname "$0")/outside_editor.sh"

vim_open
complete_top # Alpha
vim_do '%s/"Alpha"/"Alpha edited"/'
vim_write
sync
check "vim's title was not taken" has "Alpha edited" '.title == "Alpha edited"'
check "the completion made while vim was open was undone" has "Alpha edited" '.completedAt != null'

read=$(cat "$TARNEL_DATA")
complete_top # sync 1
printf '%s' "$read" | jq -c '.tasks |= map(. + {"tags": ["home"]})' > "$TARNEL_DATA"
sync
check "the script's tags were not taken" has Bravo '.tags == ["home"]'
check "the completion made while the script ran was undone" has "sync 1" '.completedAt != null'

vim_open
complete_top # sync 2
for n in 1 2 3 4 5 6 7 8 9; do type_task "typed $n"; done
vim_do '%s/"Charlie"/"Charlie edited"/'
vim_write
sync
check "vim's title after ten saves was not taken" has "Charlie edited" '.title == "Charlie edited"'
check "the completion made while vim stayed open was undone" has "sync 2" '.completedAt != null'
for n in 1 2 3 4 5 6 7 8 9; do
    check "\"typed $n\", typed while vim stayed open, was removed" has "typed $n" '.id != null'
done
finish
