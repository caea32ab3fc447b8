#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Vellum
# needs. Does nothing when all are present. With --fuzz: what the fuzz
# targets need besides (clang and its libFuzzer runtime), and only that.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qt6-base-dev libgl-dev libfontconfig-dev
    libgmime-3.0-dev libcurl4-openssl-dev libuchardet-dev
    libenchant-2-dev hunspell-en-us hunspell-ru
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    python3 python3-aiosmtpd openssl libmime-tools-perl curl
    xvfb xauth x11-apps x11-utils imagemagick xdotool openbox
    qt6-wayland sway wtype grim
    dbus at-spi2-core python3-pyatspi
    fonts-dejavu-core fonts-liberation
    xdg-utils
    desktop-file-utils appstream dpkg-dev file man-db
)
if [ "${1:-}" = "--fuzz" ]; then
    packages=(clang-14 libclang-rt-14-dev cmake qt6-base-dev libgl-dev)
fi

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

run_as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}
echo "Installing: ${missing[*]}"
run_as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
run_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
