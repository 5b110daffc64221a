#!/usr/bin/env bash
# Lays out a sample plug-in data folder in a temporary all-users root and shows what the plug-in
# reads from it and where it logs.
set -euo pipefail
build=${1:-build/debug}
here=$(cd "$(dirname "$0")" && pwd)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

cp -r "$here/data-folder/." "$root/"
# The host override the client may leave beside the settings: UTF-16LE "host=127.0.0.1".
printf 'h\0o\0s\0t\0=\0001\0002\0007\0.\0000\0.\0000\0.\0001\0' \
  > "$root/ZEP Rendering/script/custom.bin"

echo "== Sample data folder in $root"
(cd "$root" && find . -type f | sort | sed 's/^\.\//   /')
echo
echo "== zep-submit config"
PROGRAMDATA="$root" "$build/tools/zep-submit/zep-submit" config
echo
echo "== What it logged"
find "$root/ZEP Rendering" -name '*.log' -print -exec cat {} \; | tr -d '\r'
