#!/usr/bin/env bash
# Installs what is missing, builds Lumivue and runs the whole test suite:
# unit and widget tests (offscreen), screen tests under Xvfb, and the
# generated slideshow in headless Chromium.
#   tools/test.sh           the suite
#   tools/test.sh --long    also kills Lumivue 100 times in each operation and
#                           runs each fuzzer for a minute (needs clang)
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --test
if [[ -f tests/browser/package-lock.json ]]; then
    (cd tests/browser && { [[ -d node_modules ]] && npm ls --silent >/dev/null 2>&1 || npm ci --no-audit --no-fund; })
fi
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure -j2
if [[ "${1:-}" == "--long" ]]; then
    LUMIVUE_CRASH_TRIALS=100 QTEST_FUNCTION_TIMEOUT=7200000 ctest --timeout 7200 --test-dir build --output-on-failure -R crashsafety
fi
if [[ "${1:-}" == "--long" && -x tools/run-fuzzers.sh ]]; then
    tools/run-fuzzers.sh 60
fi
