#!/usr/bin/env bash
# Builds the Debian package from the build folder as `make package` does,
# lists it, and checks its contents and dependencies.
#   check_package.sh BUILD_FOLDER DESKTOP_ID LIBRARY_FOLDER
set -euo pipefail
build=$1
id=$2
libraries=$3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; fail "cpack"; }
debs=("$out"/vellum_*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "no single vellum_*.deb was made"
deb=${debs[0]}
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
dpkg-deb -I "$deb"
dpkg-deb -c "$deb"

files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)
expected=$(printf '%s\n' ./usr/bin/vellum "./usr/share/applications/$id.desktop" \
    "./usr/share/metainfo/$id.metainfo.xml" ./usr/share/man/man1/vellum.1.gz \
    "./usr/share/icons/hicolor/scalable/apps/$id.svg" "./usr/$libraries/libvellumcore.so" \
    "./usr/$libraries/libvellummail.so" ./usr/share/vellum/translations/vellum_de.qm \
    ./usr/share/vellum/translations/vellum_ru.qm \
    $(for size in 16 22 24 32 48 64 128 256; do echo "./usr/share/icons/hicolor/${size}x${size}/apps/$id.png"; done) | sort)
diff <(echo "$expected") <(echo "$files") || fail "package files differ from the expected ones (< expected, > packaged)"

depends=$(dpkg-deb -f "$deb" Depends)
# Found by shlibdeps from the program's libraries, and the platform plugins it can't see.
for package in libqt6widgets6 libqt6gui6 libqt6core6 libgmime-3.0-0 libcurl4 libenchant-2-2 libc6 qt6-qpa-plugins qt6-wayland; do
    grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = vellum ] || fail "package name"
# Spell checking needs a dictionary, which the package cannot pick for the user.
grep -q "hunspell-en-us" <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "Recommends lacks a dictionary"

# The packaged program is stripped and runs.
dpkg-deb -x "$deb" "$out/root"
file -b "$out/root/usr/bin/vellum" | grep -q ", stripped" || fail "the program is not stripped"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$out/root/usr/bin/vellum" --version)" = "Kestrel - Vellum 1.02.0018" ] ||
    fail "the packaged program does not run"

# Debian 12 can satisfy every dependency (a dry run: nothing is installed).
if apt-get install -s "$deb" >"$out/apt.log" 2>&1; then
    echo "apt-get install -s: every dependency can be installed"
else
    cat "$out/apt.log"
    fail "apt can't install the package"
fi
