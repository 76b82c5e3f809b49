# Shared steps of scripts/test and scripts/run.

packages=(cmake make g++ clang libclang-rt-14-dev g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine64 xvfb
          xauth googletest libz-mingw-w64-dev zlib1g-dev zip)
wine64=/usr/lib/wine/wine64

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "== installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq >/dev/null && apt-get install -y -qq --no-install-recommends "${missing[@]}" \
        >/dev/null || { echo "package install failed" >&2; exit 1; }
}

# build_tree NAME DIR [cmake options...]
build_tree() {
    local name=$1 dir=$2
    shift 2
    echo "== building $name"
    mkdir -p "$(dirname "$dir")"
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Debug "$@" >"$dir.configure.log" 2>&1 ||
            { cat "$dir.configure.log"; echo "configure of $name failed" >&2; return 1; }
    fi
    cmake --build "$dir" -j"$(nproc)" >"$dir.build.log" 2>&1 ||
        { grep -E -B2 -A8 'error|Error' "$dir.build.log" | head -150; echo "build of $name failed" >&2; return 1; }
}

# A wine prefix and home inside the build tree, started once with its output redirected so that
# the wineserver it leaves running holds no pipe of ours open.
prepare_wine() {
    local dir=$1
    export WINEPREFIX="$dir/wineprefix" HOME="$dir/home" WINEDEBUG=-all
    export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
    mkdir -p "$HOME"
    # One server for the whole run, started apart from ctest so that it holds none of its pipes.
    /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
    "$wine64" wineboot </dev/null >/dev/null 2>&1
    # With no window manager on the test display, managed windows make wine wait for one on
    # every hide and destroy.
    "$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    trap 'WINEPREFIX="$WINEPREFIX" /usr/lib/wine/wineserver -k >/dev/null 2>&1; stop_xvfb' EXIT
}

xvfb_pid=
start_xvfb() {
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.1; done
    echo "Xvfb did not start" >&2
}
stop_xvfb() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; }

# summary LOG... : one closing line over every ctest run.
summary() {
    local passed=0 failed=0 line total bad
    for log in "$@"; do
        line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
        [ -z "$line" ] && { echo "no ctest summary in $log" >&2; failed=$((failed + 1)); continue; }
        total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
        bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
        passed=$((passed + total - bad))
        failed=$((failed + bad))
    done
    [ $((passed + failed)) -eq 0 ] && failed=1
    echo "$passed passed, $failed failed"
}
