#!/usr/bin/env python3
"""Writes the extraction benchmark's archive: 100 MiB in 2,000 entries over 20 folders, sizes
from a few bytes to a few MiB, half of them text that deflates well and half random bytes that
do not. The same seed always gives the same archive."""
import random
import sys
import zipfile

ENTRIES = 2000
TOTAL = 100 * 1024 * 1024


def sizes(rng):
    # Mostly small files, some medium and a few large, as a program's install tends to be.
    weights = []
    for i in range(ENTRIES):
        kind = i % 10
        if kind < 5:
            weights.append(rng.uniform(0.02, 0.6))
        elif kind < 8:
            weights.append(rng.uniform(1, 8))
        elif kind < 9:
            weights.append(rng.uniform(10, 60))
        else:
            weights.append(rng.uniform(0, 0.02))
    scale = TOTAL / sum(weights)
    result = [int(w * scale) for w in weights]
    result[0] += TOTAL - sum(result)
    return result


def main(path):
    rng = random.Random(15)
    words = [bytes(rng.choice(b"abcdefghijklmnopqrstuvwxyz") for _ in range(rng.randint(2, 9)))
             for _ in range(500)]
    text = b" ".join(rng.choice(words) for _ in range(400000))
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED, compresslevel=6) as archive:
        for i, size in enumerate(sizes(rng)):
            if i % 2 == 0:
                start = rng.randrange(0, len(text) - size) if size < len(text) else 0
                data = (text * (size // len(text) + 1))[start:start + size]
                name = "folder%02d/text%04d.txt" % (i % 20, i)
            else:
                data = rng.randbytes(size)
                name = "folder%02d/data%04d.bin" % (i % 20, i)
            archive.writestr(name, data)


if __name__ == "__main__":
    main(sys.argv[1])
