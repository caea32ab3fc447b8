#!/usr/bin/env bash
# Installs the build into a private DESTDIR and checks every installed file:
# exactly the expected set, the desktop entry and the AppStream data accepted
# by their validators, icons of the right size, a readable manual page, and a
# program that answers its command line without a display.
#   check_install.sh BUILD_FOLDER DESKTOP_ID LIBRARY_FOLDER
set -euo pipefail
build=$1
id=$2
libraries=$3
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null
root="$dest/usr"
share="$root/share"
sizes=(16 22 24 32 48 64 128 256)

expected=(
    bin/vellum
    "share/applications/$id.desktop"
    "share/metainfo/$id.metainfo.xml"
    share/man/man1/vellum.1.gz
    share/vellum/translations/vellum_de.qm
    share/vellum/translations/vellum_ru.qm
    "share/icons/hicolor/scalable/apps/$id.svg"
    "$libraries/libvellumcore.so"
    "$libraries/libvellummail.so"
)
for size in "${sizes[@]}"; do expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png"); done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . -type f -printf '%P\n' | sort) ||
    fail "installed files differ from the expected ones (< expected, > installed)"
echo "installed files: ${#expected[@]}, as expected"

[ -x "$root/bin/vellum" ] || fail "vellum is not executable"
for file in "${expected[@]:1}"; do
    [ "$(stat -c %a "$root/$file")" = 644 ] || fail "$file is not readable by everyone (mode $(stat -c %a "$root/$file"))"
done

# The desktop entry: valid, and what makes it the mail link handler.
desktop="$share/applications/$id.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $id.desktop"
for line in "Exec=vellum %u" "Categories=Network;Email;" "MimeType=x-scheme-handler/mailto;" "Icon=$id" "Type=Application"; do
    grep -qxF "$line" "$desktop" || fail "$id.desktop lacks the line '$line'"
done
echo "desktop entry: valid"

# AppStream: valid without the network, and naming the same entry and icon.
metainfo="$share/metainfo/$id.metainfo.xml"
appstreamcli validate --no-net --strict "$metainfo" || fail "appstreamcli rejects $id.metainfo.xml"
grep -qF "<id>$id</id>" "$metainfo" || fail "metainfo has another id"
grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "metainfo launches another entry"
echo "AppStream data: valid"

# Icons: each PNG at its own size, the scalable one an SVG.
for size in "${sizes[@]}"; do
    icon="$share/icons/hicolor/${size}x${size}/apps/$id.png"
    file -b "$icon" | grep -q "^PNG image data, $size x $size, 8-bit/color RGBA" ||
        fail "${size}x${size} icon is $(file -b "$icon")"
done
file -b "$share/icons/hicolor/scalable/apps/$id.svg" | grep -q "SVG" || fail "scalable icon is no SVG"
echo "icons: ${#sizes[@]} sizes and scalable"

# The manual page renders without a warning.
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man1/vellum.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "manual page: $warnings"
LC_ALL=C.UTF-8 man -l "$share/man/man1/vellum.1.gz" | grep -q "mailto:URL" || fail "manual page does not render"
echo "manual page: renders cleanly"

# The installed program answers its command line, even without a display.
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/bin/vellum" "$@"; }
[ "$(run --version)" = "Kestrel - Vellum 1.02.0018" ] || fail "--version prints '$(run --version)'"
run --help | grep -q "^Usage: vellum \[mailto:URL\]" || fail "--help prints no usage"
status=0
out=$(run --no-such-option 2>"$dest/stderr") || status=$?
[ "$status" = 2 ] || fail "an unknown argument exits with $status, not 2"
[ -z "$out" ] && grep -q "^Usage: vellum" "$dest/stderr" || fail "an unknown argument gives no usage on stderr"
echo "command line: --version, --help, exit status 2"

# The README's way to make it the default mail composer works with this entry.
export XDG_DATA_HOME="$dest/data" XDG_CONFIG_HOME="$dest/config" XDG_DATA_DIRS="$share"
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"
xdg-mime default "$id.desktop" x-scheme-handler/mailto
[ "$(xdg-mime query default x-scheme-handler/mailto)" = "$id.desktop" ] || fail "xdg-mime does not take the entry"
echo "xdg-mime: $id.desktop handles mailto:"
