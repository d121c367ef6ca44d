# Sourced after x_session.sh by the runs of the real vesk on a file system of their own:
# mount_small SIZE mounts a tmpfs of SIZE at $small; unmount_at_exit PATH unmounts PATH at exit,
# once the processes started are gone. Needs root, as in CI; skips with a message where the
# mount is refused.
mount_small() {
    small="$work/small"
    mkdir -p "$small"
    if ! mount -t tmpfs -o "size=$1" tmpfs "$small" 2> "$work/mount.err"; then
        echo "skipped: no small file system can be mounted here: $(cat "$work/mount.err")"
        exit 77
    fi
    unmount_at_exit "$small"
}
unmount_at_exit() {
    mounted=$1
    trap unmount_then_clean EXIT
}
unmount_then_clean() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    umount "$mounted" 2>/dev/null || true
    cleanup
}
