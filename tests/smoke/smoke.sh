#!/usr/bin/env bash
# Starts the program under xvfb-run, waits for its window, closes it, checks exit code 0.
set -euo pipefail
binary=$1
exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    set -u
    "$0" & pid=$!
    for _ in $(seq 1 200); do
        win=$(xdotool search --onlyvisible --name "^Pluvana$" 2>/dev/null | head -n 1 || true)
        [ -n "$win" ] && break
        sleep 0.1
    done
    if [ -z "$win" ]; then echo "no window named Pluvana appeared"; kill $pid; exit 1; fi
    xwininfo -id "$win" | grep -q "Map State: IsViewable" || { echo "window not mapped"; exit 1; }
    # Alt+S is the Stop button: it closes the window like the close box.
    xdotool windowfocus --sync "$win" 2>/dev/null || true
    xdotool key --clearmodifiers alt+s
    for _ in $(seq 1 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
    if kill -0 $pid 2>/dev/null; then echo "program did not end"; kill $pid; exit 1; fi
    wait $pid; code=$?
    [ $code -eq 0 ] || { echo "exit code $code"; exit 1; }
    echo "window shown and closed, exit code 0"
' "$binary"
