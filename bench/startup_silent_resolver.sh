#!/bin/bash
# The main window's start-up when the name resolver never answers: a private mount namespace
# whose resolv.conf names 127.0.0.1, where a UDP listener takes every question and answers
# none. Prints how long the window took to show and when the failed version check reached
# the log. Needs root (unshare -m), Xvfb, xdotool and python3.
#   bench/startup_silent_resolver.sh build/bin
set -euo pipefail
BIN=$(cd "${1:-build/bin}" && pwd)

if [ "${FENOLDA_INSIDE_NAMESPACE:-}" != 1 ]; then
    exec env FENOLDA_INSIDE_NAMESPACE=1 unshare -m "$0" "$BIN"
fi

Resolv=$(mktemp)
echo "nameserver 127.0.0.1" > "$Resolv"
mount --bind "$Resolv" /etc/resolv.conf
python3 -c '
import socket
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.1", 53))
while True:
    s.recvfrom(4096)
' &
Silent=$!
trap 'kill $Silent 2>/dev/null; rm -rf "$Resolv" "$Run"' EXIT
sleep 0.3

# A program folder of its own, so that the log holds this run only.
Run=$(mktemp -d)
cp -r "$BIN"/fenolda "$BIN"/recipes-base.db3 "$BIN"/sql "$BIN"/html "$Run"/

xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    Run=$1
    Ms() { echo $(( ($(date +%s%N) - Start) / 1000000 )); }
    Start=$(date +%s%N)
    "$Run"/fenolda 2>/dev/null &
    until xdotool search --onlyvisible --name "^Fenolda$" >/dev/null 2>&1; do sleep 0.01; done
    echo "main window shown after $(Ms) ms"
    until grep -q CheckVersion "$Run"/fenolda.log 2>/dev/null; do sleep 0.05; done
    echo "version check failure logged after $(Ms) ms: $(grep CheckVersion "$Run"/fenolda.log)"
    kill %1
' _ "$Run"
