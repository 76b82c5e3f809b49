# Sourced by the benchmark scripts after scripts/lib.sh. build_release_tree TARGET...: builds the
# targets in build/bench-release, an optimised tree of the benchmarks' own (the test trees are
# built for debugging), and sets `tree` to it.
build_release_tree() {
    tree="$root/build/bench-release"
    echo "== building $tree (Release: $*)"
    cmake -S "$root" -B "$tree" -DCMAKE_BUILD_TYPE=Release -DZEMBLY_BUILD_TESTS=OFF \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >"$tree.configure.log" 2>&1 ||
        { cat "$tree.configure.log"; return 1; }
    local jobs targets=()
    jobs=$(nproc)
    [ "$jobs" -gt 8 ] && jobs=8
    for t in "$@"; do targets+=(--target "$t"); done
    cmake --build "$tree" -j"$jobs" "${targets[@]}" >"$tree.build.log" 2>&1 ||
        { grep -E -B2 -A8 'error|Error' "$tree.build.log" | head -100; return 1; }
}
