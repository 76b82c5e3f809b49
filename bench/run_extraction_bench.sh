#!/usr/bin/env bash
# The extraction benchmark: the wizard's extraction of a 100 MiB archive of 2,000 entries through
# unzdll.dll, with its callbacks and message pumps, against a plain zlib program extracting the
# same entries; both x86_64 under wine64, alternating, five runs each. Prints each program's
# median in seconds and, last, their ratio (goal: 1.3 or less). A benchmark, not a test: it never
# fails on the ratio.
#
#   bench/run_extraction_bench.sh [FOLDER]   extracts into FOLDER/out (default: the build tree's);
#                                            a folder in memory (/dev/shm/...) leaves the disk out
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
. "$root/scripts/lib.sh"
. "$root/bench/release_tree.sh"
work="$root/build/bench/extraction"
target="${1:-$work}/out"
runs=5

install_missing
build_release_tree bench_wizard_extract bench_plain_extract || exit 1
programs="$tree/bench"
mkdir -p "$work/source"
[ -f "$work/source/setup.tws" ] ||
    python3 "$root/bench/make_archive.py" "$work/source/setup.tws" || exit 1

# The wizard shows its page on a display of its own, in a prefix of the benchmark's own.
start_xvfb
prepare_wine "$work"

# run PROGRAM ARGS...: the program's own timing of one extraction into a fresh folder. The disk
# is flushed first, so that no run pays for writing out the one before.
run() {
    rm -rf "$target"
    mkdir -p "$target"
    sync
    "$wine64" "$@" </dev/null 2>"$work/last.err" | tr -d '\r' || { cat "$work/last.err" >&2; exit 1; }
}

wizard=()
plain=()
for _ in $(seq $runs); do
    wizard+=("$(run "$programs/bench_wizard_extract.exe" "$(wine_path "$work/source/")" \
        "$(wine_path "$target")")")
    plain+=("$(run "$programs/bench_plain_extract.exe" "$(wine_path "$work/source/setup.tws")" \
        "$(wine_path "$target")")")
done
rm -rf "$target"

median() { printf '%s\n' "$@" | sort -g | sed -n "$((($# + 1) / 2))p"; }
wizard_median=$(median "${wizard[@]}")
plain_median=$(median "${plain[@]}")
echo "wizard runs: ${wizard[*]}"
echo "plain runs:  ${plain[*]}"
echo "wizard median: $wizard_median s"
echo "plain median:  $plain_median s"
awk -v w="$wizard_median" -v p="$plain_median" 'BEGIN { printf "ratio: %.2f\n", w / p }'
