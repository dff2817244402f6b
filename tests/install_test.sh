#!/usr/bin/env bash
# Installs into a temporary prefix and checks what a freedesktop desktop looks for.
set -euo pipefail
build="$1"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/velotrix share/applications/velotrix.desktop share/icons/hicolor/48x48/apps/velotrix.png \
  share/icons/hicolor/scalable/apps/velotrix.svg share/metainfo/org.example.velotrix.metainfo.xml \
  share/man/man1/velotrix.1.gz share/doc/velotrix/copyright; do
  [ -e "$prefix/$f" ] || { echo "missing: $f"; exit 1; }
done
[ ! -e "$prefix/share/doc/velotrix/changelog.Debian.gz" ] || { echo "Debian changelog installed"; exit 1; }
desktop-file-validate "$prefix/share/applications/velotrix.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/org.example.velotrix.metainfo.xml" >/dev/null
# The licence the package declares is the one the repository carries.
grep -qx 'License: MIT' "$prefix/share/doc/velotrix/copyright" || { echo "copyright: not MIT"; exit 1; }
grep -q '<project_license>MIT</project_license>' "$prefix/share/metainfo/org.example.velotrix.metainfo.xml" ||
  { echo "metainfo: no MIT project_license"; exit 1; }
size=$(identify -format '%wx%h' "$prefix/share/icons/hicolor/48x48/apps/velotrix.png")
[ "$size" = "48x48" ] || { echo "icon is $size"; exit 1; }
"$prefix/bin/velotrix" --version | grep -qx 'Velotrix 1.0'
echo "installed and valid"
