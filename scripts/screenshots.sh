#!/usr/bin/env bash
# Takes the README's screenshots from the real program under a virtual
# display. Usage: scripts/screenshots.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/docs/screenshots"
mkdir -p "$out"

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp &
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

wait_for_window() { # name
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.1
    done
    echo "no window named $1" >&2
    return 1
}
shoot() { # window-id file
    sleep 0.5
    import -window "$1" "$out/$2"
    echo "wrote docs/screenshots/$2"
}

"$root/$build/src/vellum" &
program=$!
main=$(wait_for_window Vellum)
xdotool windowfocus --sync "$main"
xdotool mousemove --window "$main" 200 20 click 1
xdotool type --delay 20 'Анна <anna@example.org>'
xdotool key F2
xdotool type --delay 20 'Quarterly report'
xdotool key F2
xdotool type --delay 20 'Hello Anna, the report is attached.'
shoot "$main" composer.png

xdotool key Escape
wait "$program" || true
