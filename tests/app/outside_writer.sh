#!/bin/sh
# The real vesk while another program writes its data file. A script rewrites the file in
# place in two halves with a pause (once 3 s, longer than the app waits for a writer, once 20 s,
# a stall far past any fixed watch of the file it still holds), at different moments around the
# app's own saves: no edit is lost and nothing stays copied aside. Then a hand edit with a
# trailing comma, followed at once by SIGTERM: the save at quit leaves a byte-identical corrupt
# copy beside the file.
set -eu
. "$(dirname "$0")/x_session.sh"

# The store watches the file from before the panel shows.
launch vesk

list=11111111-1111-4111-8111-111111111111
# An edit holding the tasks "edit-1" to "edit-N", as a script writes it.
edit() {
    printf '{"lists":[{"id":"%s","name":"Inbox"}],"tasks":[' "$list"
    i=1
    while [ "$i" -le "$1" ]; do
        [ "$i" -gt 1 ] && printf ','
        printf '{"id":"00000000-0000-4000-8000-%012d","listID":"%s","title":"edit-%d","order":%d}' \
            "$i" "$list" "$i" "$i"
        i=$((i + 1))
    done
    printf ']}'
}
# Until the app has written the file in its own form with the task "edit-N".
saved_with() {
    has_edit() { grep -q '"bonsai"' "$TARNEL_DATA" && grep -q "\"edit-$1\"" "$TARNEL_DATA"; }
    wait_until 10 "edit-$1 is not in the saved file: $(cat "$TARNEL_DATA")" has_edit "$1"
}

# Each round: a whole edit, which the app merges 0.3 s later and saves 0.4 s after that; then,
# `offset` seconds after the first, the next edit in two halves with `pause` between them.
n=0
for timing in "0.35 0.6" "0.45 0.8" "0.55 0.5" "0.65 1.0" "0.75 0.6" "0.35 3" "0.35 20"; do
    offset=${timing% *}
    pause=${timing#* }
    n=$((n + 1))
    edit "$n" > "$TARNEL_DATA"
    sleep "$offset"
    n=$((n + 1))
    whole=$(edit "$n")
    length=${#whole}
    first=$(printf '%s' "$whole" | head -c $((length / 2)))
    second=$(printf '%s' "$whole" | tail -c +$((length / 2 + 1)))
    { printf '%s' "$first"; sleep "$pause"; printf '%s' "$second"; } > "$TARNEL_DATA"
    saved_with "$n"
    echo "round $((n / 2)): halves $offset s after the whole edit, $pause s apart: saved"
done
i=1
while [ "$i" -le "$n" ]; do
    grep -q "\"edit-$i\"" "$TARNEL_DATA" || fail "edit-$i was lost: $(cat "$TARNEL_DATA")"
    i=$((i + 1))
done
"$json_check" "$TARNEL_DATA" || fail "the data file is no valid JSON"
ls "$TARNEL_DATA".corrupt-* > /dev/null 2>&1 && fail "a complete edit was copied aside as corrupt"

# A trailing comma, then SIGTERM before the app has even looked at the file.
edit "$n" | sed 's/]}$/,]}/' > "$work/typo.json"
cp "$work/typo.json" "$TARNEL_DATA"
kill -TERM "$vpid"
wait "$vpid" || fail "vesk exited with status $? on SIGTERM"
copies=$(ls "$TARNEL_DATA".corrupt-* 2> /dev/null || true)
[ "$(echo "$copies" | wc -w)" -eq 1 ] || fail "want one corrupt copy, found: $copies"
cmp "$copies" "$work/typo.json" || fail "the corrupt copy differs from the edit"
"$json_check" "$TARNEL_DATA" || fail "the data file after the quit is no valid JSON"
grep -q "\"edit-$n\"" "$TARNEL_DATA" || fail "the quit did not save the app's data"
echo "ok"
