#!/usr/bin/env bash
# Takes the AppStream screenshot: the real main window, shown in a virtual X server.
#   packaging/schermafbeelding.sh build/app/pluvana hoofdvenster.png
# Needs xvfb-run, xdotool and ImageMagick's import. Publish the picture at the address the
# metainfo names (<homepage>/schermafbeeldingen/hoofdvenster.png).
set -euo pipefail
if [ $# -ne 2 ]; then
    echo "usage: $0 <pluvana binary> <picture.png>" >&2
    exit 2
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    set -u
    "$0" & pid=$!
    win=
    for _ in $(seq 1 200); do
        win=$(xdotool search --onlyvisible --name "^Pluvana$" 2>/dev/null | head -n 1 || true)
        [ -n "$win" ] && break
        sleep 0.1
    done
    if [ -z "$win" ]; then echo "no window named Pluvana appeared" >&2; kill $pid; exit 1; fi
    sleep 1
    import -window "$win" "$1"; code=$?
    kill $pid
    exit $code
' "$1" "$2"
