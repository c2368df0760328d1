#!/usr/bin/env bash
# The fuzz targets, built with clang and libFuzzer in a build folder of their own.
#   fuzz/run.sh build BUILD              configures and builds them in BUILD
#   fuzz/run.sh run BUILD TARGET SECONDS runs fuzz_TARGET from its committed seeds (fuzz/corpus/TARGET)
# New inputs go to BUILD/found/TARGET, never into the committed seeds; a failing input is kept in BUILD as
# crash-*/leak-*/oom-*. Exit 77 (a skipped test) when clang or libFuzzer is missing or the build was skipped.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
mode=$1
mkdir -p "$2"
build="$(cd "$2" && pwd)"

have_libfuzzer() {
    command -v clang++ >/dev/null 2>&1 || return 1
    local probe
    probe="$(mktemp -d)"
    echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }' \
        >"$probe/probe.cpp"
    local ok=0
    clang++ -fsanitize=fuzzer "$probe/probe.cpp" -o "$probe/probe" >/dev/null 2>&1 || ok=1
    rm -rf "$probe"
    return $ok
}

case "$mode" in
build)
    if ! have_libfuzzer; then
        echo "SKIPPED: clang++ with libFuzzer is not installed (Debian: clang, libclang-rt-14-dev)."
        rm -f "$build/.built"
        exit 77
    fi
    cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j 2
    touch "$build/.built"
    ;;
run)
    target=$3
    seconds=$4
    if [ ! -f "$build/.built" ] || [ ! -x "$build/fuzz_$target" ]; then
        echo "SKIPPED: the fuzz targets were not built (no clang++ with libFuzzer)."
        exit 77
    fi
    mkdir -p "$build/found/$target"
    dict=()
    [ -f "$here/$target.dict" ] && dict=("-dict=$here/$target.dict")
    log="$build/fuzz_$target.log"
    cd "$build"
    # Memory bounded: the picture readers may use at most the picture limit and a margin.
    QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
        LSAN_OPTIONS="suppressions=$here/../tests/lsan.supp:print_suppressions=0" \
        "./fuzz_$target" "found/$target" "$here/corpus/$target" "${dict[@]}" \
        -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=1024 -max_len=16384 \
        -print_final_stats=1 >"$log" 2>&1 || { tail -n 60 "$log"; exit 1; }
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz_$target: $runs executions ran clean in $seconds s"
    ;;
*)
    echo "usage: $0 build BUILD | run BUILD TARGET SECONDS" >&2
    exit 2
    ;;
esac
