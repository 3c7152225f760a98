#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each one for
# the given number of seconds (default 60), starting from its seeds in
# fuzz/corpus/<name>/ and keeping what it finds in build-fuzz/corpus/<name>/.
# A crash stops the script with the fuzzer's exit status; the crashing input is
# left in build-fuzz/artifacts/. Names after the seconds run only those targets.
#   tools/run-fuzzers.sh [SECONDS] [NAME...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
only=("$@")
build="${LUMIVUE_FUZZ_BUILD:-build-fuzz}"

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
CC=clang CXX=clang++ cmake -S . -B "$build" "${generator[@]}" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMIVUE_FUZZ=ON \
    -DLUMIVUE_BUILD_TESTS=OFF -DLUMIVUE_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target lumivue_fuzzers

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
mkdir -p "$build/artifacts"
for fuzzer in "$build"/fuzzers/fuzz_*; do
    [[ -x "$fuzzer" ]] || continue
    name="$(basename "$fuzzer")"
    name="${name#fuzz_}"
    [[ ${#only[@]} -eq 0 || " ${only[*]} " == *" $name "* ]] || continue
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    args=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096
          -artifact_prefix="$build/artifacts/$name-" -print_final_stats=1)
    [[ -f "fuzz/$name.dict" ]] && args+=(-dict="fuzz/$name.dict")
    seeds=()
    [[ -d "fuzz/corpus/$name" ]] && seeds=("fuzz/corpus/$name")
    echo "== fuzz_$name for ${seconds}s"
    "$fuzzer" "${args[@]}" "$corpus" "${seeds[@]}"
done
