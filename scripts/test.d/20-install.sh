#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Install and package stage: installs the build into a temporary prefix and runs the installed
# programs with the build tree moved out of reach; validates the desktop entry and the AppStream
# metainfo; packs the Debian package from the same build (no rebuild), checks its control data
# and lintian's verdict, unpacks it and runs the unpacked programs.
#   bash scripts/test.d/20-install.sh <repo-top> <build-dir>
set -euo pipefail

top=${1:?repository top}
build=$(cd "${2:?build directory}" && pwd)
id=io.github.powerdeck.Powerdeck
scratch=$(mktemp -d)
away="$build.away-$$"
restore() {
    if [ -d "$away" ]; then mv "$away" "$build"; fi
    rm -rf "$scratch"
}
trap restore EXIT

fail() { echo "20-install: $*" >&2; exit 1; }

# Runs the programs below prefix $1 as a user would, with an empty home of their own.
check_programs() {
    local prefix=$1 what=$2 report out
    export HOME="$scratch/home-$what" XDG_DATA_HOME="$scratch/home-$what/data" XDG_CONFIG_HOME="$scratch/home-$what/config"
    mkdir -p "$HOME"
    report=$("$prefix/bin/powerdeck-cli" battery --json --platform iPhone4,1) || fail "$what: powerdeck-cli battery --json failed"
    # The device name comes from devices.plist: found relative to the program, not the build tree.
    grep -q '"deviceName": "iPhone 4S"' <<<"$report" || fail "$what: devices.plist not found: $report"
    out=$(QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software timeout 120 \
          "$prefix/bin/powerdeck" --first-frame 2>"$scratch/$what.err") || {
        cat "$scratch/$what.err" >&2; fail "$what: powerdeck did not reach its first frame"; }
    [ "$out" = "first frame" ] || fail "$what: powerdeck printed '$out'"
    if grep -E 'qrc:|QML|[Ww]arning|[Ee]rror|[Cc]annot|not found' "$scratch/$what.err"; then
        fail "$what: powerdeck complained while starting"
    fi
    [ -n "$(ls "$XDG_DATA_HOME/powerdeck/Library/"*.png 2>/dev/null)" ] || fail "$what: interface images not copied from $prefix"
    echo "$what: powerdeck-cli and powerdeck run from $prefix"
}

# 1. Install into a temporary prefix (through DESTDIR as packagers do).
DESTDIR="$scratch/dest" cmake --install "$build" --prefix /opt/powerdeck --strip >/dev/null
prefix="$scratch/dest/opt/powerdeck"
for f in bin/powerdeck bin/powerdeck-cli share/powerdeck/devices.plist share/powerdeck/sphere.plist \
         share/powerdeck/Chime.caf share/powerdeck/translations/powerdeck_de.qm \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png \
         share/icons/hicolor/512x512/apps/$id.png share/man/man1/powerdeck-cli.1.gz share/man/man1/powerdeck.1.gz \
         share/dbus-1/services/$id.service; do
    [ -e "$prefix/$f" ] || fail "not installed: $f"
done
# The desktop entry is D-Bus activatable: the bus starts the installed program by its full path.
grep -qx 'DBusActivatable=true' "$prefix/share/applications/$id.desktop" || fail "the desktop entry is not DBusActivatable"
grep -qx "Name=$id" "$prefix/share/dbus-1/services/$id.service" || fail "the D-Bus service file does not name $id"
grep -qx "Exec=/opt/powerdeck/bin/powerdeck" "$prefix/share/dbus-1/services/$id.service" ||
    fail "the D-Bus service file does not start /opt/powerdeck/bin/powerdeck: $(grep Exec "$prefix/share/dbus-1/services/$id.service")"
grep -q -F "$build" "$prefix/bin/powerdeck" "$prefix/bin/powerdeck-cli" && fail "a build-tree path is compiled into the installed programs"

# 2. The validators.
desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net --explain "$prefix/share/metainfo/$id.metainfo.xml"

# 3. The Debian package, packed from the same build tree.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/package" >"$scratch/cpack.log" 2>&1 || {
    cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$scratch"/package/powerdeck_*.deb)
info=$(dpkg-deb --info "$deb")
version=$(sed -n 's/^project(Powerdeck VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
grep -q '^ Package: powerdeck$' <<<"$info" || fail "control: no Package: powerdeck"
grep -q "^ Version: $version\$" <<<"$info" || fail "control: version is not $version"
for dep in libqt6quick6 libplist3 qml6-module-qtquick-shapes fonts-roboto qt6-wayland; do
    grep -q "^ Depends: .*\b$dep\b" <<<"$info" || fail "control: Depends lacks $dep"
done
echo "package: $(basename "$deb")"
lintian --tag-display-limit 0 "$deb" >"$scratch/lintian.txt" 2>&1 || true
cat "$scratch/lintian.txt"
if grep -q '^E:' "$scratch/lintian.txt"; then fail "lintian reports errors"; fi
dpkg-deb -x "$deb" "$scratch/root"
grep -qx 'Exec=/usr/bin/powerdeck' "$scratch/root/usr/share/dbus-1/services/$id.service" ||
    fail "package: the D-Bus service file does not start /usr/bin/powerdeck"
grep -qx 'License: GPL-3.0+' "$scratch/root/usr/share/doc/powerdeck/copyright" ||
    fail "package: the copyright file does not give GPL-3.0+"

# 4. Run the installed and the unpacked programs with the build tree out of reach.
mv "$build" "$away"
check_programs "$prefix" installed
check_programs "$scratch/root/usr" package
mv "$away" "$build"
echo "20-install: ok"
