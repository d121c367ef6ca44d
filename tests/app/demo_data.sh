#!/bin/sh
# "--demo" on the real vesk with no data file: the demo state is on disk as soon as the panel
# shows and is still there after quitting; a second "--demo" run on that file changes nothing.
# Through a data.json that is a link into another folder, the demo lands in the linked file,
# and the link stays.
set -eu
. "$(dirname "$0")/x_session.sh"
rm -f "$TARNEL_DATA"

# state: one line of what the demo put in the file.
state() {
    "$json_check" "$TARNEL_DATA" /lists/0/name /lists/1/name /lists/2/name /lists /tasks /tasks/0/title \
        /bonsai/garden /bonsai/seed /bonsai/gains /bonsai/gains/0/amount /bonsai/seedlingsPlanted \
        /prefs/onboarded | tr '\n' ' '
}
expected="My Tasks Work Personal 3 12 Finish thesis slides 3 90013 1 610 2 true "

launch first --demo
[ -f "$TARNEL_DATA" ] || fail "the demo was not written at once"
[ "$(state)" = "$expected" ] || fail "demo state before quitting: $(state)"
quit first
[ "$(state)" = "$expected" ] || fail "demo state after quitting: $(state)"
sessions=$("$json_check" "$TARNEL_DATA" /sessions)
[ "$sessions" -ge 2 ] && [ "$sessions" -le 902 ] || fail "$sessions sessions"
echo "demo: $sessions sessions"

cp "$TARNEL_DATA" "$work/first.json"
launch second --demo
quit second
cmp -s "$TARNEL_DATA" "$work/first.json" || fail "a second --demo run changed the data file"

mkdir "$work/dotfiles"
ln -s dotfiles/vesk.json "$work/linked.json"
export TARNEL_DATA="$work/linked.json"
launch linked --demo
quit linked
[ -L "$TARNEL_DATA" ] || fail "the linked data.json is no longer a link"
[ "$(readlink "$TARNEL_DATA")" = dotfiles/vesk.json ] || fail "the link points elsewhere now"
[ "$(state)" = "$expected" ] || fail "demo state through the link: $(state)"
echo "ok"
