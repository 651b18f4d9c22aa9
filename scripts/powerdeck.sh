#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Powerdeck set-up: installs the Debian packages, configures, builds, then runs the app or the tests.
#   scripts/powerdeck.sh run    build and launch Powerdeck
#   scripts/powerdeck.sh test   build and run the whole test suite
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
top=$(cd "$here/.." && pwd)
build=${POWERDECK_BUILD_DIR:-$top/build}
mode=${1:-}
case "$mode" in
  run|test) ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

install_packages() {
  mapfile -t pkgs < <(grep -v -e '^#' -e '^[[:space:]]*$' "$here/packages.txt")
  local missing=()
  for p in "${pkgs[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Powerdeck needs these Debian packages; install them, then run this command again:"
    echo "  sudo apt-get install -y --no-install-recommends ${missing[*]}"
    exit 1
  fi
  echo "Installing ${#missing[@]} Debian packages..."
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# The tests run parts of Powerdeck under a comma-decimal locale; generate it where it is missing.
ensure_test_locale() {
  if locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
    return 0
  fi
  if [ "$(id -u)" -ne 0 ]; then
    echo "Note: locale de_DE.UTF-8 is missing; the locale tests skip. To generate it:"
    echo "  sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8"
    return 0
  fi
  echo "Generating locale de_DE.UTF-8 for the tests..."
  localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "Could not generate de_DE.UTF-8; the locale tests will fail."
}

build_tree() {
  local jobs
  jobs=$(nproc 2>/dev/null || echo 2)
  # Line tables only: backtraces keep their file and line, and the build takes a good deal less
  # time and disk than with full debug information.
  cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPOWERDECK_WERROR=ON \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
  cmake --build "$build" --parallel "$jobs"
}

install_packages
build_tree

if [ "$mode" = run ]; then
  exec "$build/bin/powerdeck" "${@:2}"
fi

# Test mode: the main suite, then any further stages (sanitizer and fuzzing runs) in test.d.
ensure_test_locale
status=0
# One job more than there are cores: the played-back discharges mostly wait on the clock.
ctest --test-dir "$build" --output-on-failure --timeout 600 -j "$(($(nproc 2>/dev/null || echo 2) + 1))" || status=1
if [ -d "$here/test.d" ]; then
  for stage in "$here"/test.d/*.sh; do
    [ -e "$stage" ] || continue
    echo "== $(basename "$stage")"
    bash "$stage" "$top" "$build" || status=1
  done
fi
exit $status
