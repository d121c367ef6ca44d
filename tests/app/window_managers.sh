#!/bin/sh
# The real vesk under window managers without a compositor, as many desktops run: openbox, and
# fluxbox and i3, which place a new window where they like. The panel sits flush at the top
# centre; the top of the screen shows the desktop all round the pill and the open tarnel, not a
# black block; the keyboard goes back to the window that had it when the tarnel closes. Under
# openbox a compositor started meanwhile casts no shadow over the panel's rectangle, and once it
# stops the panel shows only what it draws again.
set -eu
command -v openbox >/dev/null 2>&1 || { echo "openbox is not installed"; exit 77; }
compositor=none
. "$(dirname "$0")/x_session.sh"

wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
active() { echo $(( $(xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //; s/,.*//') )); }
is_active() { [ "$(active)" -eq "$1" ]; }
# covered: how many pixels of the panel's 1100 × 600 at the top of the screen do not show the desktop.
covered() {
    import -window root -crop 1100x600+250+0 +repage "$work/top.png"
    convert "$work/top.png" -alpha off -fill white -opaque "$desktop" -fill black +opaque white \
        -format '%[fx:int(w*h*(1-mean)+0.5)]' info:
}
covers_at_most() { desktop_shown && seen=$(covered) && [ "$seen" -le "$1" ]; }
# shape_width: the width of the part of the panel window that shows.
shape_width() { xwininfo -shape -id "$window" | sed -n 's/.*Window shape extents: *\([0-9]*\)x.*/\1/p'; }
shape_is() { seen=$(shape_width); [ "$seen" -eq "$1" ]; }

# The collapsed pill is 112 × 30 and the open tarnel about 400 × 470, with their flared ears:
# a few pixels more at most, nowhere near the panel's 660,000.
check_desktop() {
    wait_until 20 "$1: the panel at $(xwininfo -id "$window" | awk '/Absolute upper-left/{printf "%s ", $4}')" at_top_centre
    xdotool mousemove 800 800
    wait_until 20 "$1: the collapsed pill covers more than itself" covers_at_most 4000
    [ "$(screen_pixel 800 5)" = '#000000' ] || fail "$1: no pill at the top centre"
    save_shot "$1-collapsed" 1200x640+200+0
    is_active "$other" || fail "$1: the panel took the keyboard when it appeared"
    open_by_click "$1"
    wait_until 10 "$1: the open tarnel does not have the keyboard" is_active "$window"
    xdotool mousemove 800 800
    wait_until 20 "$1: the open tarnel covers more than itself" covers_at_most 196000
    [ "$(covered)" -ge 180000 ] || fail "$1: the open tarnel shows only $(covered) pixels"
    save_shot "$1-open" 1200x640+200+0
    xdotool key ctrl+3 Escape
    closed "$1: Escape"
    wait_until 10 "$1: the closed tarnel kept the keyboard" is_active "$other"
    wait_until 20 "$1: the pill did not come to rest" covers_at_most 4000
}
# desktop_shown: the desktop has our colour again; fluxbox paints its own once as it starts.
desktop_shown() {
    xsetroot -solid "$desktop"
    seen=$(screen_pixel 1500 850)
    [ "$seen" = "$desktop" ]
}
at_top_centre() {
    xwininfo -id "$window" | grep -q 'Absolute upper-left X: *250$' &&
        xwininfo -id "$window" | grep -q 'Absolute upper-left Y: *0$'
}

# Each window manager with another application below the panel's reach, which has the keyboard.
run_under() {
    "$@" > "$work/wm.log" 2>&1 &
    wm=$!
    pids="$wm $pids" # ended before the server: fluxbox hangs once the server has gone
    wait_until 20 "$1 did not start" wm_running
    xev -name other -geometry 500x200+100+650 -event keyboard > /dev/null 2>&1 &
    xev_pid=$!
    pids="$xev_pid $pids"
    # Out of the panel's reach, wherever the window manager put it, and with the keyboard.
    other=$(xdotool search --sync --name '^other$' | head -1)
    xdotool windowmove --sync "$other" 100 650
    xdotool windowactivate --sync "$other" 2>/dev/null || true
    wait_until 10 "$1: the other window has no keyboard" is_active "$other"
    launch "$1"
    check_desktop "$1"
}
stop_wm() {
    quit "$1"
    kill "$xev_pid" "$wm"
    wait "$xev_pid" "$wm" 2>/dev/null || true
    xprop -root -remove _NET_SUPPORTING_WM_CHECK
}

# Each window manager on a configuration of the test's own that sets no wallpaper and starts
# nothing: what a distribution's default session draws (fluxbox's Debian style runs fbsetbg,
# whose failure opens a message across the screen) must not reach the pixels counted here.
# By absolute path: openbox changes to $HOME.
cp /etc/xdg/openbox/rc.xml "$work/openbox.xml"
run_under openbox --sm-disable --config-file "$work/openbox.xml"
# A compositor that starts while vesk runs gets room for the panel's own soft shadows and
# casts none of its own; when it stops, only what is drawn shows again.
# The pill at rest, 112 wide, shows a pixel more on each side; 10 more for the shadows.
wait_until 20 "the pill at rest shows more than itself" shape_is 114
xcompmgr -c > /dev/null 2>&1 &
composited=$!
wait_until 20 "the panel did not follow the compositor that started" shape_is 134
no_shadow() { [ "$(screen_pixel 800 300)" = "$(screen_pixel 1500 850)" ]; }
wait_until 20 "a shadow falls over the panel's rectangle" no_shadow
save_shot openbox-xcompmgr 1200x640+200+0
kill "$composited"
wait_until 20 "the panel did not follow the compositor that stopped" shape_is 114
stop_wm openbox

if command -v fluxbox >/dev/null 2>&1; then
    # fluxbox writes its defaults over the file named by -rc unless its folder is there already.
    mkdir -p "$HOME/.fluxbox"
    for file in keys menu apps overlay windowmenu; do : > "$HOME/.fluxbox/$file"; done
    echo 'background: none' > "$HOME/.fluxbox/style"
    printf 'session.configVersion: 13\nsession.styleFile: %s/style\nsession.styleOverlay: %s/overlay\n' \
        "$HOME/.fluxbox" "$HOME/.fluxbox" > "$HOME/.fluxbox/init"
    printf 'session.%sFile: %s/%s\n' menu "$HOME/.fluxbox" menu key "$HOME/.fluxbox" keys apps "$HOME/.fluxbox" apps \
        >> "$HOME/.fluxbox/init"
    run_under fluxbox -rc "$HOME/.fluxbox/init"
    stop_wm fluxbox
fi
if command -v i3 >/dev/null 2>&1; then
    printf '# i3 config file (v4)\nfont pango:monospace 8\nfor_window [title="^other$"] floating enable\n' > "$work/i3.conf"
    run_under i3 -c "$work/i3.conf"
    stop_wm i3
fi
echo "ok"
