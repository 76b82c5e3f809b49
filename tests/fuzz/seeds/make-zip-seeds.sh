#!/bin/sh
# make-zip-seeds.sh FOLDER: small archives of the zip tool (stored, deflated, folders, a streamed
# entry, a UTF-8 name) as the ZIP reader's fuzzing seeds.
set -e
out=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out" "$work/sub"
cd "$work"
printf 'hello hello hello hello\n' > a.txt
awk 'BEGIN { for (i = 0; i < 3000; i++) printf "line %d of the seed\n", i }' > sub/b.txt
printf 'caf\303\251\n' > "caf$(printf '\303\251').txt"
zip -qX -0 "$out/stored.zip" a.txt
zip -qXr "$out/deflated.zip" a.txt sub
zip -qX "$out/utf8.zip" caf*.txt
printf 'streamed data\n' | zip -qX -fz- "$out/streamed.zip" -
