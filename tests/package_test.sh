#!/usr/bin/env bash
# Builds the Debian package from this build, installs it with dpkg, checks the installed
# program and metadata, removes it and checks that the machine is as it was: every path the
# package brought is gone, every path that was there before is still there.
# Needs root and dpkg; exits 77 (skipped) otherwise, and when velotrix is installed already.
set -euo pipefail
build="$1"
skip() {
  echo "skipped: $*"
  exit 77
}
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
for tool in dpkg dpkg-deb dpkg-shlibdeps cpack desktop-file-validate appstreamcli flock; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done

# Other checkouts on this machine may run this test too: one at a time.
exec 9>/run/lock/velotrix-package-test.lock
flock 9
if dpkg-query -W -f='${db:Status-Abbrev}' velotrix 2>/dev/null | grep -q '^.i'; then
  skip "velotrix is installed by dpkg already; the test leaves that installation alone"
fi

work=$(mktemp -d)
installed=0
cleanup() {
  [ "$installed" -eq 0 ] || dpkg -r velotrix >/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/velotrix_*.deb)

# What the package holds, and which of those paths the machine has already. A file that is
# there already belongs to someone else (an install by hand, say): do not overwrite it.
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -e 's|^\./|/|' -e 's|/$||' | grep -v '^$' >"$work/paths"
echo / >"$work/before"
while read -r p; do
  if [ -e "$p" ] || [ -L "$p" ]; then
    [ -d "$p" ] && [ ! -L "$p" ] || skip "$p exists and is not from the package"
    echo "$p" >>"$work/before"
  fi
done <"$work/paths"

# dpkg refuses to run while another package tool holds its lock: wait for that.
for attempt in $(seq 60); do
  if dpkg -i "$deb" >"$work/dpkg.log" 2>&1; then
    installed=1
    break
  fi
  grep -q 'lock' "$work/dpkg.log" || { cat "$work/dpkg.log"; exit 1; }
  sleep 2
done
[ "$installed" -eq 1 ] || { cat "$work/dpkg.log"; exit 1; }

fail() {
  echo "FAIL: $*"
  exit 1
}
version=$(env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/velotrix --version) || fail "velotrix --version"
[ "$version" = "Velotrix 1.0" ] || fail "velotrix --version said '$version'"
desktop-file-validate /usr/share/applications/velotrix.desktop || fail "desktop entry"
appstreamcli validate --no-net /usr/share/metainfo/org.example.velotrix.metainfo.xml ||
  fail "metainfo"
dpkg -L velotrix | sed 's|^/\.$|/|' >"$work/listed"
while read -r p; do
  [ -e "$p" ] || fail "dpkg lists $p, which is not there"
done <"$work/listed"
grep -qx /usr/share/man/man1/velotrix.1.gz "$work/listed" || fail "no manual page"

dpkg -r velotrix >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -r"; }
installed=0
status=$(dpkg-query -W -f='${db:Status-Abbrev}' velotrix 2>/dev/null || true)
case "$status" in "" | un*) ;; *) fail "after removal dpkg says '$status'" ;; esac
while read -r p; do
  if grep -qxF "$p" "$work/before"; then
    [ -d "$p" ] || fail "$p was there before and is gone"
  elif [ -e "$p" ] || [ -L "$p" ]; then
    fail "$p is left after removal"
  fi
done <"$work/listed"
echo "installed, checked and removed: $(wc -l <"$work/listed") paths"
