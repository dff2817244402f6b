#!/bin/sh
# Runs a command in mount, network and process namespaces of its own with a private /tmp, so
# that the compositor's Xwayland display number, its sockets and its helpers touch no other
# session, and everything it started ends with it. Without root it runs the command as it is
# (the tests then skip).
if [ "$(id -u)" -ne 0 ] || ! command -v unshare >/dev/null; then exec "$@"; fi
# A container may refuse new namespaces; then the tests skip rather than share this machine's.
if ! unshare --mount --net --pid --fork --kill-child --mount-proc true 2>/dev/null; then
  VELOTRIX_SWAY_SKIP="this machine does not allow new namespaces (unshare)" exec "$@"
fi
priv=$(mktemp -d /tmp/wl-sway.XXXXXX) || exit 1
chmod 1777 "$priv"
unshare --mount --net --pid --fork --kill-child --mount-proc \
  sh -c 'mount --bind "$0" /tmp && exec "$@"' "$priv" "$@"
rc=$?
rm -rf "$priv"
exit $rc
