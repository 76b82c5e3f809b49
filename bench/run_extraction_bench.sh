#!/usr/bin/env bash
# The extraction benchmark: the wizard's extraction of a 100 MiB archive of 2,000 entries through
# unzdll.dll, with its callbacks and message pumps, against a plain zlib program extracting the
# same entries; both x86_64 under wine64, alternating, five runs each. Prints each program's
# median in seconds, and their ratio last. Needs the x86_64 tree that scripts/test builds.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
. "$root/scripts/lib.sh"
tree="$root/build/win64"
work="$root/build/bench"
runs=5

cmake --build "$tree" -j8 --target bench_wizard_extract bench_plain_extract >/dev/null
mkdir -p "$work/source"
[ -f "$work/source/setup.tws" ] || python3 "$root/bench/make_archive.py" "$work/source/setup.tws"

prepare_wine "$tree"
start_xvfb
windows_path() { echo "Z:${1//\//\\}"; }

# run PROGRAM ARGS...: its own timing of one extraction into a fresh folder.
run() {
    rm -rf "$work/out"
    mkdir -p "$work/out"
    "$wine64" "$@" </dev/null 2>"$work/last.err" || { cat "$work/last.err" >&2; exit 1; }
}

wizard=()
plain=()
for _ in $(seq $runs); do
    wizard+=("$(run "$tree/bench/bench_wizard_extract.exe" "$(windows_path "$work/source/")" \
        "$(windows_path "$work/out")" | tr -d '\r')")
    plain+=("$(run "$tree/bench/bench_plain_extract.exe" "$(windows_path "$work/source/setup.tws")" \
        "$(windows_path "$work/out")" | tr -d '\r')")
done
rm -rf "$work/out"

median() { printf '%s\n' "$@" | sort -g | sed -n "$(( ($# + 1) / 2 ))p"; }
wizard_median=$(median "${wizard[@]}")
plain_median=$(median "${plain[@]}")
echo "wizard runs: ${wizard[*]}"
echo "plain runs:  ${plain[*]}"
echo "wizard median: $wizard_median s"
echo "plain median:  $plain_median s"
awk -v w="$wizard_median" -v p="$plain_median" 'BEGIN { printf "ratio: %.2f\n", w / p }'
