#!/bin/bash
# The release: builds Glimmora for x86_64 and i686 in Release, runs every test, and writes
# the portable zips, the installers and their SHA-256 sums into build/dist/.
# --no-tests skips the test run for a quick local try; a release runs them.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${GLIMMORA_BUILD:-$root/build}"
run_tests=1
for arg in "$@"; do
    case $arg in
        --no-tests) run_tests=0 ;;
        *) echo "usage: $0 [--no-tests]" >&2; exit 2 ;;
    esac
done
"$root/scripts/deps.sh"
version=$(head -n 1 "$root/VERSION")
declare -A folder=([x86_64]=release-win64 [i686]=release-win32)
mkdir -p "$build"

for arch in x86_64 i686; do
    dir="$build/${folder[$arch]}"
    echo "== Release build, $arch ($dir)"
    cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DGLIMMORA_TESTS=OFF \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" >"$dir.configure.log" 2>&1 \
        || { cat "$dir.configure.log"; exit 1; }
    cmake --build "$dir" -j "$(nproc)" --target Glimmora dsmouse >"$dir.build.log" 2>&1 \
        || { grep -E 'error|Error' "$dir.build.log"; exit 1; }
done

if [ $run_tests -eq 1 ]; then
    echo "== Tests"
    bash "$root/scripts/test.sh" || { echo "The tests failed: no packages written." >&2; exit 1; }
fi

dist="$build/dist"
rm -rf "$dist"
mkdir -p "$dist"
for arch in x86_64 i686; do
    echo "== Packages, $arch"
    "$root/scripts/make_packages.sh" "$build/${folder[$arch]}" "$arch" "$dist"
done

# A presenter downloads this on the spot: the program stays under a megabyte.
python3 - "$dist" "$version" <<'EOF'
import os, sys, zipfile
dist, version = sys.argv[1:]
too_big = False
for arch in ("x86_64", "i686"):
    top = "Glimmora-%s-%s" % (version, arch)
    with zipfile.ZipFile(os.path.join(dist, top + "-portable.zip")) as z:
        size = z.getinfo(top + "/Glimmora.exe").file_size
    print("Glimmora.exe, %s: %d bytes" % (arch, size))
    too_big |= size >= 1 << 20
sys.exit("Glimmora.exe has grown to 1 MiB or more" if too_big else 0)
EOF

cd "$dist"
sha256sum -- *.zip *.exe >SHA256SUMS
echo "== Glimmora $version in $dist"
ls -l
