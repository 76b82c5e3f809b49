"""Draws the pictures of the messenger's install package into resources/package/: logo.bmp, the
logo at the right of the wizard's header (a BMP has no transparency, so it is drawn over the
wizard window's colour), and setup.ico, the messenger's icon with its 32 x 32 image first: the
wizard's header shows an icon file's first image. Run it from anywhere; the files are committed,
so the build needs no Python."""

import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import picture  # noqa: E402
from messenger_pictures import BLUE, NAVY, SKY, WHITE, Canvas, bubble  # noqa: E402

RESOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources")
OUT = os.path.join(RESOURCES, "package")
WINDOW = (0xED, 0xE7, 0xDE)  # the wizard's colour 0x00DEE7ED


def logo():
    """60 x 43, the wizard's logo size: the program's mark, and two smaller bubbles going out
    from it, a message on its way."""
    c = Canvas(60, 43, WINDOW)
    c.round_rect(1, 4, 36, 39, 7, NAVY)
    bubble(c, 3, 6, 31)
    c.round_rect(39, 7, 58, 19, 4, BLUE)
    c.polygon([(42, 18), (47, 18), (40, 23)], BLUE)
    c.round_rect(43, 24, 58, 33, 3.5, SKY)
    c.polygon([(46, 32), (50, 32), (44, 36)], SKY)
    for x in (45, 49, 53):
        c.circle(x, 13, 1.3, WHITE)
    return c


def icon_with_32_first(ico):
    """The icon file's images reordered so that the 32 x 32 one comes first."""
    count = struct.unpack_from("<H", ico, 4)[0]
    entries = [ico[6 + 16 * i:22 + 16 * i] for i in range(count)]
    images = [ico[struct.unpack_from("<I", e, 12)[0]:][:struct.unpack_from("<I", e, 8)[0]]
              for e in entries]
    order = sorted(range(count), key=lambda i: entries[i][0] != 32)
    head, body = struct.pack("<HHH", 0, 1, count), b""
    offset = 6 + 16 * count
    for i in order:
        head += entries[i][:12] + struct.pack("<I", offset)
        body += images[i]
        offset += len(images[i])
    return head + body


def main():
    c = logo()
    picture.write(os.path.join(OUT, "logo.bmp"), picture.bmp_bytes(c.w, c.h, c.px))
    with open(os.path.join(RESOURCES, "messenger", "zemblySMS.ico"), "rb") as f:
        picture.write(os.path.join(OUT, "setup.ico"), icon_with_32_first(f.read()))


if __name__ == "__main__":
    main()
