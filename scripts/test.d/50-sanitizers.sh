#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sanitizer stage: the whole project (every library and every test suite, the offscreen render
# tests included) built again with clang under AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer in <build-dir>/sanitize, its tests run there, then the libFuzzer
# targets of the XML reader and of the property-list loader for 30 seconds each.
#   bash scripts/test.d/50-sanitizers.sh <repo-top> <build-dir>
# <build-dir> is the main build: its interface images are copied rather than drawn again.
# POWERDECK_FUZZ_SECONDS changes the fuzzing time.
set -euo pipefail

top=${1:?repository top}
build=${2:?build directory}
dir="$build/sanitize"
fuzz_seconds=${POWERDECK_FUZZ_SECONDS:-30}
jobs=$(nproc 2>/dev/null || echo 2)

if ! command -v clang++ >/dev/null; then
    echo "50-sanitizers: clang++ is missing (Debian packages clang and libclang-rt-14-dev)" >&2
    exit 1
fi

# Leaks are errors; the only suppressions are for leaks inside Qt and fontconfig themselves.
# Set before the build too: the test discovery runs the test programs.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$top/tests/sanitize/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

images=()
if [ -f "$build/tools/imagegen/images.stamp" ]; then
    images=(-DPOWERDECK_PREBUILT_IMAGES="$build/share/powerdeck")
fi
# -O1 -g1: enough optimisation for the instrumented code to run at speed, and the line tables
# the reports need; full debug information only makes the links slow.
CC=clang CXX=clang++ cmake -S "$top" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
    -DPOWERDECK_SANITIZE=ON -DPOWERDECK_WERROR=ON -DPOWERDECK_BUILD_TOOLS=OFF \
    "${images[@]}" >/dev/null
cmake --build "$dir" --parallel "$jobs"

# The render tests run in two of their three layouts here: the 568-point phone differs from the
# 480-point one only in placement, and the main suite has drawn it already. The played-back
# discharges run in real time through powerdeck-cli and add nothing here that the draw meter's
# own tests do not cover.
# (Suites run whole take the filter; the render cases, each a test of its own, the pattern.)
GTEST_FILTER='-*/phone568' ctest --test-dir "$dir" --output-on-failure --timeout 600 -j "$jobs" \
    -E '^replay_tests$|/phone568( |$)'


# New inputs the fuzzers find go to scratch corpora in the build tree, never into the seeds;
# a crashing input is written to the build tree and printed.
fuzz() {
    local target=$1 seeds=$2 corpus="$dir/fuzz-corpus/$1"
    mkdir -p "$corpus"
    echo "== $target for ${fuzz_seconds} s"
    "$dir/bin/$target" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=65536 -print_final_stats=1 -artifact_prefix="$dir/$target-" \
        "$corpus" "$seeds"
}
fuzz xmlreader_fuzz "$top/tests/fixtures/xml"
# Every stored-file fixture seeds the loader: the XML ones of the schedule trees and the binary
# ones of tests/fixtures/plist.
plist_seeds="$dir/fuzz-seeds/plist"
rm -rf "$plist_seeds"
mkdir -p "$plist_seeds"
find "$top/tests/fixtures" -name '*.plist' -type f | while read -r f; do
    cp "$f" "$plist_seeds/$(echo "${f#"$top"/tests/fixtures/}" | tr / _)"
done
fuzz plist_fuzz "$plist_seeds"
