#!/usr/bin/env bash
# Sanitizer stage: the XML reader and the statistics sampler with their tests under
# AddressSanitizer + UndefinedBehaviorSanitizer (clang, no Qt), then the reader's fuzz target
# for 60 seconds seeded with the XML fixtures.
#   bash scripts/test.d/50-sanitizers.sh <repo-top> <build-dir>
set -euo pipefail

top=${1:?repository top}
build=${2:?build directory}
dir="$build/sanitize"
fuzz_seconds=${POWERDECK_FUZZ_SECONDS:-60}
jobs=$(nproc 2>/dev/null || echo 2)

if ! command -v clang++ >/dev/null; then
    echo "50-sanitizers: clang++ is missing (Debian packages clang and libclang-rt-14-dev)" >&2
    exit 1
fi

CC=clang CXX=clang++ cmake -S "$top/tests/sanitize" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" --parallel "$jobs"

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$dir" --output-on-failure --timeout 300 -j "$jobs"

# New inputs the fuzzer finds go to a scratch corpus in the build tree, never into the
# fixtures; a crashing input is written to the build tree and printed.
corpus="$dir/fuzz-corpus"
mkdir -p "$corpus"
"$dir/fuzz/xmlreader_fuzz" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -print_final_stats=1 -artifact_prefix="$dir/" \
    "$corpus" "$top/tests/fixtures/xml"
