#!/bin/sh
# Runs a command in mount, network and process namespaces of its own with a private /tmp, so
# that the compositor's Xwayland display number, its sockets and its helpers touch no other
# session, and everything it started ends with it. What the run needs from the real /tmp (a
# build tree there, say) stays at its path. Without root it runs the command as it is (the
# tests then skip).
if [ "$(id -u)" -ne 0 ] || ! command -v unshare >/dev/null; then exec "$@"; fi
# A container may refuse new namespaces; then the tests skip rather than share this machine's.
if ! unshare --mount --net --pid --fork --kill-child --mount-proc true 2>/dev/null; then
  VELOTRIX_SWAY_SKIP="this machine does not allow new namespaces (unshare)" exec "$@"
fi
priv=$(mktemp -d /tmp/wl-sway.XXXXXX) || exit 1
chmod 1777 "$priv"
host=$(mktemp -d /run/velotrix-host-tmp.XXXXXX) || exit 1
# The top folders under /tmp that hold the test, this script and the program under test.
keep=""
for p in "$1" "$0" "${VELOTRIX_BIN:-}"; do
  p=$(readlink -f "$p" 2>/dev/null) || continue
  case "$p" in /tmp/?*) top=${p#/tmp/}; keep="$keep ${top%%/*}" ;; esac
done
unshare --mount --net --pid --fork --kill-child --mount-proc sh -c '
  priv=$1 host=$2 keep=$3; shift 3
  mount --bind /tmp "$host" && mount --bind "$priv" /tmp || exit 1
  for k in $keep; do
    mkdir -p "/tmp/$k" && mount --bind "$host/$k" "/tmp/$k" || exit 1
  done
  exec "$@"' sh "$priv" "$host" "$keep" "$@"
rc=$?
rm -rf "$priv"
rmdir "$host" 2>/dev/null
exit $rc
