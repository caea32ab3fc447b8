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

# A local server that takes its time over the message, so the sending
# indicator can be seen.
mkdir -p "$work/mail"
/usr/bin/python3 "$root/tests/support/smtp_server.py" --port 2526 --folder "$work/mail" \
    --no-starttls --data-delay 4 --user me --password secret > "$work/server.log" &
for _ in $(seq 50); do grep -q ready "$work/server.log" && break; sleep 0.1; done

# Sample attachments.
mkdir -p "$work/files"
head -c 180000 /dev/urandom > "$work/files/Quarterly report.pdf"
head -c 42000 /dev/urandom > "$work/files/figures.xlsx"
head -c 2600000 /dev/urandom > "$work/files/site photo.jpg"

click() { # window x y
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.2
}

"$root/$build/src/vellum" &
program=$!
main=$(wait_for_window Vellum)
xdotool windowfocus --sync "$main"
click "$main" 200 20
xdotool type --delay 20 'Анна <anna@example.org>'
xdotool key F2
xdotool type --delay 20 'Quarterly report'
xdotool key F2
xdotool type --delay 20 'Hello Anna, the report and the figures are attached.'
shoot "$main" composer.png

# Server settings, typed into the real dialog.
click "$main" 146 270
settings=$(wait_for_window Settings)
for text in 'me@example.org' 'me' 'secret' '127.0.0.1'; do
    xdotool type --delay 10 "$text"
    xdotool key Tab
done
xdotool type --delay 10 '2526'
shoot "$settings" settings.png
xdotool key Return
sleep 0.5

# Attachments, chosen in the file dialog.
click "$main" 236 270
attachments=$(wait_for_window 'Attachments :: 0')
for name in 'Quarterly report.pdf' 'figures.xlsx' 'site photo.jpg'; do
    xdotool key Insert
    sleep 1
    xdotool type --delay 5 "$work/files/$name"
    xdotool key Return
    sleep 0.5
done
attachments=$(wait_for_window 'Attachments :: 3')
shoot "$attachments" attachments.png
xdotool key Return
sleep 0.5

# No subject: the prompt asks for one.
click "$main" 200 52
xdotool key ctrl+a BackSpace
click "$main" 326 270
prompt=$(wait_for_window 'Subject is missing \(you still can leave it blank\)')
xdotool type --delay 20 'Quarterly report'
shoot "$prompt" subject-prompt.png
xdotool key Return

# The message goes out; the indicator runs until the server answers.
sleep 1
shoot "$main" sending.png
wait "$program" || true
ls "$work/mail"/*.eml > /dev/null && echo "the message arrived"

# Spell checking: the underline as typed, and the corrections on the body's menu.
"$root/$build/src/vellum" &
program=$!
main=$(wait_for_window Vellum)
xdotool windowfocus --sync "$main"
sleep 1
xdotool type --delay 20 'Dear Anna,'
xdotool key Return
xdotool type --delay 20 'the figuers for the last quartr are attached. '
shoot "$main" spelling.png
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove --window "$main" 50 96 click 3
sleep 1
import -window root -crop "$((WIDTH + 40))x$((HEIGHT + 200))+$X+$((Y > 200 ? Y - 200 : 0))" "$out/spelling-menu.png"
echo "wrote docs/screenshots/spelling-menu.png"
xdotool key Escape
sleep 0.3
xdotool key Escape
wait "$program" || true
