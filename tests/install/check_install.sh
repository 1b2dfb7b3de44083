#!/usr/bin/env bash
# Installs the build into a scratch root and checks what a desktop needs of it: the program, a
# launcher and AppStream metadata that their validators accept, and the icons at every size. Then
# builds the Debian package and checks its contents and dependencies.
# Usage: check_install.sh BUILD_DIR
set -euo pipefail
build="$1"
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
[ -x "$root/usr/bin/examora" ] || fail "no /usr/bin/examora"
desktop="$root/usr/share/applications/org.examora.Examora.desktop"
metainfo="$root/usr/share/metainfo/org.examora.Examora.metainfo.xml"
desktop-file-validate "$desktop" || fail "the launcher does not validate"
grep -qx 'Categories=Education;Qt;' "$desktop" || fail "the launcher is not in Education"
grep -qx 'Icon=org.examora.Examora' "$desktop" || fail "the launcher names another icon"
appstreamcli validate --no-net "$metainfo" >/dev/null || fail "the AppStream metadata does not validate"
for size in 16 32 48 128; do
    icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/org.examora.Examora.png"
    [ -s "$icon" ] || fail "no ${size}px icon"
    dims=$(file -b "$icon" | grep -o '[0-9]* x [0-9]*')
    [ "$dims" = "$size x $size" ] || fail "the ${size}px icon is $dims"
done
echo "install tree: ok"

pkgdir="$(mktemp -d)"
(cd "$build" && cpack -G DEB -B "$pkgdir" -D CPACK_PACKAGING_INSTALL_PREFIX=/usr >/dev/null)
deb=$(ls "$pkgdir"/examora_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "package dependencies: $depends"
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libc6; do
    echo "$depends" | grep -q "$lib" || fail "the package does not depend on $lib"
done
contents=$(dpkg-deb -c "$deb")
grep -q './usr/bin/examora$' <<<"$contents" || fail "the package has no /usr/bin/examora"
grep -q 'applications/org.examora.Examora.desktop$' <<<"$contents" || fail "the package has no launcher"
rm -rf "$pkgdir"
echo "package: ok"
