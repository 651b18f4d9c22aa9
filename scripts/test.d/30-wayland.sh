#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Wayland stage: Powerdeck as a native Wayland client (qt6-wayland) under Weston. Weston's X11
# backend on a private Xvfb display gives the compositor a seat (Weston's headless backend has
# none, and Qt 6.4 cannot run without one). Checks that `powerdeck --first-frame` and a normal
# run each map an xdg toplevel whose app_id is the desktop entry's name, that the normal run's
# window shows drawn pixels on Weston's output, and that SIGTERM ends it with status 0.
#   bash scripts/test.d/30-wayland.sh <repo-top> <build-dir>
set -euo pipefail

top=${1:?repository top}
build=$(cd "${2:?build directory}" && pwd)
exe="$build/bin/powerdeck"
entry=$(ls "$build"/share/applications/*.desktop)
appId=$(basename "$entry" .desktop)
scratch=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "30-wayland: $*" >&2
    for log in "$scratch"/*.log; do
        [ -s "$log" ] && { echo "--- $(basename "$log") (last lines)" >&2; tail -n 15 "$log" >&2; }
    done
    exit 1
}

for tool in Xvfb weston xwd dbus-daemon; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/packages.txt lists its package)"
done
[ -n "$(find /usr/lib -path '*/qt6/plugins/platforms/libqwayland-generic.so' -print -quit)" ] ||
    fail "Qt's Wayland platform plugin is missing (Debian package qt6-wayland)"

# waitFor SECONDS COMMAND...: polls every 0.1 s.
waitFor() {
    local tries=$(($1 * 10))
    shift
    for _ in $(seq 1 "$tries"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# A display, a compositor and a session bus of the stage's own.
mkdir -p "$scratch/run" "$scratch/home"
chmod 700 "$scratch/run"
Xvfb -displayfd 3 -screen 0 640x800x24 -nolisten tcp -noreset 3>"$scratch/display" 2>"$scratch/xvfb.log" &
pids+=($!)
waitFor 20 test -s "$scratch/display" || fail "Xvfb did not start"
display=":$(head -n1 "$scratch/display")"
socket="powerdeck-test-$$"
XDG_RUNTIME_DIR="$scratch/run" DISPLAY="$display" weston --backend=x11-backend.so \
    --shell=kiosk-shell.so --socket="$socket" --no-config --idle-time=0 --use-pixman \
    --width=360 --height=720 >"$scratch/weston.log" 2>&1 &
pids+=($!)
waitFor 20 test -S "$scratch/run/$socket" || fail "Weston did not open its socket"
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$scratch/bus" 2>"$scratch/bus.log" &
pids+=($!)
waitFor 20 test -s "$scratch/bus" || fail "the session bus did not start"

export HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/data" XDG_CONFIG_HOME="$scratch/home/config" \
    XDG_CACHE_HOME="$scratch/home/cache" XDG_RUNTIME_DIR="$scratch/run" WAYLAND_DISPLAY="$socket" \
    QT_QPA_PLATFORM=wayland DBUS_SESSION_BUS_ADDRESS="$(head -n1 "$scratch/bus")" WAYLAND_DEBUG=client
unset DISPLAY QT_LOGGING_RULES XDG_ACTIVATION_TOKEN DESKTOP_STARTUP_ID

# The client side of the protocol (WAYLAND_DEBUG) tells what the window asked for.
checkToplevel() {
    local log=$1 what=$2
    grep -q -F -- "-> xdg_toplevel@" "$log" || fail "$what: no xdg toplevel"
    grep -q -F -- ".set_app_id(\"$appId\")" "$log" ||
        fail "$what: the toplevel's app_id is not $appId: $(grep -o 'set_app_id([^)]*)' "$log" | head -n1)"
    grep -q -E -- '-> xdg_surface@[0-9]+\.ack_configure' "$log" || fail "$what: the toplevel was never configured"
    grep -q -E -- '-> wl_surface@[0-9]+\.attach\(wl_buffer@' "$log" || fail "$what: no buffer was attached"
}

# Distinct colours on the X display, which shows Weston's output: an empty kiosk output is one
# black rectangle.
colours() {
    local shot="$scratch/shot.xwd" header
    xwd -display "$display" -root -silent >"$shot" || return 1
    # XWD: header size at byte 0 and colour-map entries at byte 76, big-endian; 12 bytes each.
    header=$(od -An -N4 -tu1 "$shot" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }')
    local entries
    entries=$(od -An -j76 -N4 -tu1 "$shot" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }')
    tail -c +$((header + entries * 12 + 1)) "$shot" | od -An -v -tx4 -w4 | sort -u | wc -l
}
empty=$(colours) || fail "xwd could not capture the display"

# 1. The check run: reaches its first frame on Wayland and quits.
out=$(timeout 60 "$exe" --first-frame 2>"$scratch/first-frame.log") || fail "--first-frame failed under Weston"
[ "$out" = "first frame" ] || fail "--first-frame printed '$out'"
checkToplevel "$scratch/first-frame.log" "--first-frame"

# 2. A normal run: draws its window on Weston's output, then ends on SIGTERM with status 0.
"$exe" 2>"$scratch/powerdeck.log" &
app=$!
pids+=("$app")
shown=0
drawn() { shown=$(colours) && [ "$shown" -ge $((empty + 64)) ]; }
waitFor 30 drawn || fail "nothing was drawn on Weston's output ($shown colours, $empty when empty)"
checkToplevel "$scratch/powerdeck.log" "powerdeck"
kill -TERM "$app"
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "powerdeck ended with status $status on SIGTERM"
if grep -v '^\[' "$scratch/powerdeck.log" "$scratch/first-frame.log" | grep -E -i 'warning|error|critical|failed'; then
    fail "powerdeck complained under Weston"
fi
echo "30-wayland: ok (app_id $appId; $shown colours on the output, $empty without Powerdeck)"
