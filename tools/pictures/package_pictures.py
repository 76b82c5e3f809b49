"""Draws the picture of the messenger's install package into resources/package/: logo.bmp, the
logo at the right of the wizard's header. A BMP has no transparency, so it is drawn over the
wizard window's colour. Run it from anywhere; the file is committed, so the build needs no
Python."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import picture  # noqa: E402
from messenger_pictures import BLUE, NAVY, SKY, WHITE, Canvas, bubble  # noqa: E402

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "package")
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


def main():
    c = logo()
    picture.write(os.path.join(OUT, "logo.bmp"), picture.bmp_bytes(c.w, c.h, c.px))


if __name__ == "__main__":
    main()
