#!/usr/bin/env bash
# Installs into a temporary prefix and checks what a freedesktop desktop looks for.
set -euo pipefail
build="$1"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/velotrix share/applications/velotrix.desktop share/icons/hicolor/48x48/apps/velotrix.png; do
  [ -e "$prefix/$f" ] || { echo "missing: $f"; exit 1; }
done
desktop-file-validate "$prefix/share/applications/velotrix.desktop"
size=$(identify -format '%wx%h' "$prefix/share/icons/hicolor/48x48/apps/velotrix.png")
[ "$size" = "48x48" ] || { echo "icon is $size"; exit 1; }
"$prefix/bin/velotrix" --version | grep -qx 'Velotrix 1.0'
echo "installed and valid"
