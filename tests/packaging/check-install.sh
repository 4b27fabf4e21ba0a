#!/usr/bin/env bash
# Installs the build into a throwaway prefix and checks what lands there; then builds the .deb,
# has lintian check it, unpacks it into a throwaway root, checks its files, dependencies and manual
# page, and starts its program.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

id=invalid.gaokao_countdown.GaokaoCountdown
cmake --install "$build" --prefix "$work/prefix" >/dev/null
expected=(bin/gaokao-countdown "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml")
for size in 16 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for file in "${expected[@]}"; do
    [ -f "$work/prefix/$file" ] || fail "not installed: $file"
done
[ -x "$work/prefix/bin/gaokao-countdown" ] || fail "program not executable"
desktop-file-validate "$work/prefix/share/applications/$id.desktop" \
    || fail "desktop entry rejected"
grep -qx 'Name=高考倒计时' "$work/prefix/share/applications/$id.desktop" \
    || fail "desktop entry has the wrong name"
appstreamcli validate --no-net "$work/prefix/share/metainfo/$id.metainfo.xml" \
    || fail "metainfo rejected"
version=$(QT_QPA_PLATFORM=offscreen "$work/prefix/bin/gaokao-countdown" --version 2>/dev/null | awk '{ print $2 }')
grep -q "<release version=\"$version\"" "$work/prefix/share/metainfo/$id.metainfo.xml" \
    || fail "metainfo has no release $version"
echo "installed: ${#expected[@]} files, desktop entry and metainfo valid"

(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/gaokao-countdown_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6dbus6 libxcb1 qt6-translations-l10n; do
    [[ $depends == *"$needed"* ]] || fail "$needed missing from Depends: $depends"
done
# The one-copy guard uses the system's socket: starting loads no network library.
[[ $depends != *libqt6network6* ]] || fail "libqt6network6 in Depends: $depends"
# The boards bring their own typefaces: the CJK font packages are only recommended.
[[ $depends != *fonts-* ]] || fail "font packages in Depends: $depends"
recommends=$(dpkg-deb -f "$deb" Recommends)
for wanted in fonts-noto-cjk fonts-arphic-ukai fonts-arphic-uming; do
    [[ $recommends == *"$wanted"* ]] || fail "$wanted missing from Recommends: $recommends"
done
# The distribution's own checks: no error, no warning.
verdict=$(lintian --info --pedantic "$deb" 2>&1 | grep -E '^(E|W):' || true)
[ -z "$verdict" ] || fail "lintian: $verdict"
echo "lintian: no error or warning"
dpkg -x "$deb" "$work/root"
for file in usr/bin/gaokao-countdown "usr/share/applications/$id.desktop" \
    usr/share/doc/gaokao-countdown/copyright usr/share/doc/gaokao-countdown/changelog.Debian.gz \
    usr/share/man/man1/gaokao-countdown.1.gz \
    "usr/share/metainfo/$id.metainfo.xml" "usr/share/icons/hicolor/256x256/apps/$id.png" \
    usr/share/doc/gaokao-countdown/fonts/ARPHICPL.txt \
    usr/share/doc/gaokao-countdown/fonts/OFL-handwriting.txt \
    usr/share/doc/gaokao-countdown/fonts/OFL-sans.txt \
    usr/share/doc/gaokao-countdown/fonts/SOURCES.md; do
    [ -f "$work/root/$file" ] || fail "not in the package: $file"
done
# The manual page names every option the help does.
for option in $(LC_ALL=C "$work/root/usr/bin/gaokao-countdown" --help | grep -oE -- '--[a-z-]+' | sort -u); do
    zcat "$work/root/usr/share/man/man1/gaokao-countdown.1.gz" | sed 's/\\-/-/g' | grep -q -- "$option" \
        || fail "the manual page lacks $option"
done
echo "package: $(basename "$deb")"
(cd "$work/root" && find . -type f | sort)

# The packaged program starts and keeps running until it is stopped.
status=0
XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=offscreen timeout 3 "$work/root/usr/bin/gaokao-countdown" \
    2>/dev/null || status=$?
[ "$status" -eq 124 ] || fail "packaged program ended on its own with status $status"
echo "packaged program started"
