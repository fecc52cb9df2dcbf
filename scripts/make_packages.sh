#!/bin/bash
# Packs one Windows build: a portable zip and an installer, named with the version and the
# architecture. The release command and the package tests both use it, so the tests check
# the packaging that ships.
# Usage: make_packages.sh BUILD_DIR x86_64|i686 OUT_DIR
# Prints the path of each package it wrote.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
[ $# -eq 3 ] || { echo "usage: $0 BUILD_DIR x86_64|i686 OUT_DIR" >&2; exit 2; }
build=$1 arch=$2 out=$3
case $arch in
    x86_64) triple=x86_64-w64-mingw32 ;;
    i686) triple=i686-w64-mingw32 ;;
    *) echo "unknown architecture '$arch' (x86_64 or i686)" >&2; exit 2 ;;
esac
version=$(head -n 1 "$root/VERSION")
for file in Glimmora.exe dsmouse.dll; do
    [ -f "$build/bin/$file" ] || { echo "missing $build/bin/$file: build it first" >&2; exit 1; }
done
command -v makensis >/dev/null || { echo "makensis is missing: run scripts/deps.sh" >&2; exit 1; }

name="Glimmora-$version-$arch"
mkdir -p "$out"
out=$(cd "$out" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
files="$stage/$name"
mkdir "$files"

# Stripped copies: the build keeps its symbols for debugging.
for file in Glimmora.exe dsmouse.dll; do
    "$triple-strip" --strip-all -o "$files/$file" "$build/bin/$file"
done
# Windows line ends, so that every Notepad shows the lines.
sed -e "s/@VERSION@/$version/g" -e "s/@ARCH@/$arch/g" -e 's/$/\r/' "$root/package/readme.txt" >"$files/readme.txt"
sed -e 's/$/\r/' "$root/LICENSE" >"$files/LICENSE.txt"

zip="$out/$name-portable.zip"
rm -f "$zip"
python3 - "$zip" "$stage" "$name" <<'EOF'
import os, sys, zipfile
zip_path, stage, top = sys.argv[1:]
with zipfile.ZipFile(zip_path, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
    z.write(os.path.join(stage, top), top + "/")
    for name in sorted(os.listdir(os.path.join(stage, top))):
        z.write(os.path.join(stage, top, name), top + "/" + name)
EOF
echo "$zip"

installer="$out/$name-setup.exe"
makensis -V2 -NOCD "-DVERSION=$version" "-DARCH=$arch" "-DSTAGE=$files" "-DOUTFILE=$installer" \
    "$root/package/Glimmora.nsi" >"$stage/makensis.log" 2>&1 \
    || { cat "$stage/makensis.log" >&2; echo "makensis failed" >&2; exit 1; }
echo "$installer"
