#!/usr/bin/env bash
# The Debian package made from the build folder as it is (no new build): its control fields name its
# version and the libraries it needs; it holds the manual page and the completion; unpacked anywhere, its
# program checks a page with its own module. Skipped (77) without dpkg-deb and dpkg-shlibdeps.
# Usage: package.sh BUILD_DIR VERSION
BUILD_DIR=$1
VERSION=$2
command -v dpkg-deb >/dev/null && command -v dpkg-shlibdeps >/dev/null || exit 77
source "$(dirname "$0")/common.sh"

cpack --config "$BUILD_DIR/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$work/cpack.log")"
package=$work/out/tarnlink_${VERSION}_$(dpkg --print-architecture).deb
[ -f "$package" ] || fail "no $package: $(ls "$work/out")"

[ "$(dpkg-deb -f "$package" Version)" = "$VERSION" ] || fail "Version: $(dpkg-deb -f "$package" Version)"
depends=$(dpkg-deb -f "$package" Depends)
for library in libcurl4 libncursesw6 libc6; do
  grep -q "$library" <<< "$depends" || fail "Depends names no $library: $depends"
done
contents=$(dpkg-deb -c "$package")
for file in ./usr/bin/tarnlink ./usr/lib/tarn/tarnlinkcheck.so ./usr/share/man/man1/tarnlink.1 \
            ./usr/share/bash-completion/completions/tarnlink; do
  grep -q " $file\$" <<< "$contents" || fail "the package lacks $file"
done

dpkg-deb -x "$package" "$work/root"
start_site
check_with "$work/root/usr/bin/tarnlink" "$VERSION"
echo "package: OK"
