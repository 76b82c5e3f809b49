# Shared steps of scripts/test and scripts/run.

packages=(cmake make g++ clang libclang-rt-14-dev g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine64 xvfb
          xauth googletest libz-mingw-w64-dev zip sox)
wine64=/usr/lib/wine/wine64

# Commands run when the script ends, however it ends.
cleanups=()
on_exit() {
    cleanups+=("$1")
    trap 'for c in "${cleanups[@]}"; do eval "$c"; done' EXIT
    # A signal ends the script through its exit, so that the cleanups run then too.
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

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

# The CMake options of each tree, the same whichever script builds it.
tree_options() {
    local -n tree_opts=$2
    case $1 in
        native) tree_opts=(-DZEMBLY_SANITIZE=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
        win64) tree_opts=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake") ;;
        win32) tree_opts=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DZEMBLY_BUILD_TESTS=OFF) ;;
    esac
}

# build_tree NAME [TARGET...]: configures build/NAME (again, so that new folders and targets are
# known), then builds the targets named, or all.
build_tree() {
    local name=$1 dir="$root/build/$1" options=() targets=()
    shift
    for t in "$@"; do targets+=(--target "$t"); done
    tree_options "$name" options
    echo "== building $name${*:+ ($*)}"
    mkdir -p "$root/build"
    [ -f "$dir/CMakeCache.txt" ] && options=()
    cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Debug "${options[@]}" >"$dir.configure.log" 2>&1 ||
        { cat "$dir.configure.log"; echo "configure of $name failed" >&2; return 1; }
    cmake --build "$dir" -j"$(nproc)" "${targets[@]}" >"$dir.build.log" 2>&1 ||
        { grep -E -B2 -A8 'error|Error' "$dir.build.log" | head -150; echo "build of $name failed" >&2; return 1; }
}

# prepare_wine DIR [managed]: a wine prefix and home inside DIR, started once with its output
# redirected so that the wineserver it leaves running holds no pipe of ours open. "managed" lets
# the desktop's window manager frame the windows (a user's display); without it there is none.
prepare_wine() {
    local dir=$1 managed=N
    [ "${2:-}" = managed ] && managed=Y
    export WINEPREFIX="$dir/wineprefix" HOME="$dir/home" WINEDEBUG=-all
    export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
    # A home with a recycle bin, as a desktop user's has: wine deletes to it only when it exists.
    mkdir -p "$HOME/.local/share/Trash/files" "$HOME/.local/share/Trash/info"
    # One server for the whole run, started apart from ctest so that it holds none of its pipes.
    /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
    "$wine64" wineboot </dev/null >/dev/null 2>&1
    # With no window manager on the test display, managed windows make wine wait for one on
    # every hide and destroy.
    "$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d $managed /f </dev/null >/dev/null 2>&1
    on_exit 'WINEPREFIX="$WINEPREFIX" /usr/lib/wine/wineserver -k >/dev/null 2>&1'
}

xvfb_pid=
start_xvfb() {
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    on_exit stop_xvfb
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.1; done
    echo "Xvfb did not start" >&2
}
stop_xvfb() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; }

# A host path as wine programs name it (the host's root is drive Z:).
wine_path() { local p=${1//\//\\}; echo "Z:$p"; }

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
