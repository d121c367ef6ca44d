# Sourced after x_session.sh by the runs of the real vesk on a small file system: mount_small
# SIZE mounts a tmpfs of SIZE at $small, unmounted at exit. Needs root, as in CI; skips with a
# message where the mount is refused.
mount_small() {
    small="$work/small"
    mkdir -p "$small"
    if ! mount -t tmpfs -o "size=$1" tmpfs "$small" 2> "$work/mount.err"; then
        echo "skipped: no small file system can be mounted here: $(cat "$work/mount.err")"
        exit 77
    fi
    trap unmount_then_clean EXIT
}
unmount_then_clean() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    umount "$small" 2>/dev/null || true
    cleanup
}
