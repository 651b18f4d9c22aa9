#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Hostile weather replies and stored files, kept apart from the test suite.
#
#   tools/hostile-weather/run.sh [BUILD_DIR]        (default: build)
#
# 1. Every case of hostile-weather (control characters, truncated bodies, wrong Content-Length,
#    broken chunks, huge and deeply nested bodies, malformed XML and JSON, hostile stored files)
#    in its own process, against the weather panel and place search configured through the user
#    defaults of a temporary HOME; a case that crashes or hangs is named.
# 2. The real powerdeck (offscreen, 10 s) and powerdeck-cli on hostile stored files in a
#    temporary HOME, whose service addresses point at a closed local port: neither may crash,
#    and every property list they leave is well-formed (or the hostile original, untouched).
# Exit status: 0 when everything passed, 1 otherwise.
set -u
build=${1:-build}
tool=$build/bin/hostile-weather
app=$build/bin/powerdeck
cli=$build/bin/powerdeck-cli
[ -x "$tool" ] || { echo "no $tool: build the hostile-weather target first" >&2; exit 1; }
failed=0

verdict() { # name status
    case $2 in
    0) echo "PASS  $1" ;;
    1) echo "FAIL  $1"; failed=1 ;;
    124) echo "HANG  $1"; failed=1 ;;
    *) if [ "$2" -gt 128 ]; then echo "CRASH $1 (signal $(($2 - 128)))"; else echo "FAIL  $1 (status $2)"; fi
       failed=1 ;;
    esac
}

echo "== hostile replies and stored files against the weather panel and place search"
"$tool" --list >"${TMPDIR:-/tmp}/hostile-weather-cases.$$"
while IFS= read -r name; do
    timeout 240 "$tool" --case "$name"
    verdict "$name" $?
done <"${TMPDIR:-/tmp}/hostile-weather-cases.$$"
rm -f "${TMPDIR:-/tmp}/hostile-weather-cases.$$"

home=$(mktemp -d)
trap 'chmod -R u+rw "$home"; rm -rf "$home"' EXIT
docs=$home/data/powerdeck/Documents
mkdir -p "$docs" "$home/data/powerdeck/Library" "$home/config/powerdeck"
printf '<plist><dict><key>city' >"$docs/forecastList.plist"
printf '<?xml version="1.0"?><plist version="1.0"><array><string>Fr&#1;ance</string><string>Pa&#27;ris</string></array></plist>' >"$docs/temp.plist"
printf 'bplist00\377\377\377\377' >"$docs/calendar.plist"
printf '<?xml version="1.0"?><plist version="1.0"><array><integer>1</integer></array></plist>' >"$docs/Alert.plist"
cat >"$home/config/powerdeck/defaults.plist" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
<key>weatherSource</key><string>open</string>
<key>openForecastEndpoint</key><string>http://127.0.0.1:9</string>
<key>openGeocodingEndpoint</key><string>http://127.0.0.1:9</string>
<key>openPlacesEndpoint</key><string>http://127.0.0.1:9</string>
<key>setat</key><string>da&#7;da</string>
<key>celsius</key><string>not a boolean</string>
</dict></plist>
EOF
originals=$(cd "$home" && find . -name '*.plist' -exec sha256sum {} +)

checkfiles() { # name
    bad=0
    for f in $(find "$home" -name '*.plist'); do
        rel=./${f#"$home"/}
        if printf '%s\n' "$originals" | grep -qF "$(cd "$home" && sha256sum "$rel")"; then
            echo "      left alone  $rel"
        elif ! "$tool" --check "$f" >/dev/null; then
            echo "      MALFORMED   $rel"; bad=1
        else
            echo "      well-formed $rel"
        fi
    done
    verdict "$1: the files left" $bad
}

echo "== the real powerdeck on hostile stored files"
if [ -x "$app" ]; then
    HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config QT_QPA_PLATFORM=offscreen \
        timeout -s TERM 10 "$app" >"$home/app.log" 2>&1
    status=$?
    # Still running after 10 s and ended by the TERM: it came up and kept running.
    [ $status -eq 124 ] && status=0
    verdict "powerdeck starts and runs" $status
    checkfiles "powerdeck"
else
    echo "SKIP  powerdeck (not built)"
fi

echo "== the real powerdeck-cli on the same files"
if [ -x "$cli" ]; then
    for command in schedule battery; do
        HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config \
            timeout 30 "$cli" "$command" --json >/dev/null 2>>"$home/cli.log"
        status=$?
        [ $status -le 2 ] && status=0 # a bad setting may be refused, never crash
        verdict "powerdeck-cli $command" $status
    done
    checkfiles "powerdeck-cli"
else
    echo "SKIP  powerdeck-cli (not built)"
fi
exit $failed
