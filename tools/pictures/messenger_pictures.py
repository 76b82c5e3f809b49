"""Draws the messenger's own pictures into resources/messenger/: the window backgrounds, the close
pictures, the program and tray icon, the tray menu's images, the contact image, the button glyphs
and the progress marker. Run it from anywhere; it overwrites what it writes.

Item indices of the tray menu's strip are fixed by the menu: 1 Exit, 2 Settings, 3 Open,
4 Log Off, 6 PayPal (0 and 5 are unused but must exist)."""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import picture  # noqa: E402

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources",
                   "messenger")

NAVY = (22, 48, 104)
BLUE = (44, 96, 178)
SKY = (120, 170, 230)
PALE = (232, 240, 250)
WHITE = (255, 255, 255)
RED = (196, 40, 40)
GREEN = (40, 150, 60)
GOLD = (226, 170, 40)
GREY = (110, 116, 128)
MASK = (255, 0, 255)  # the colour image lists and glyphs leave out
# What the small pictures are drawn over, so that their smoothed edges blend into it: the button
# face, the tray menu's image gutter and the contact list's background.
FACE = (240, 240, 240)
GUTTER = (231, 228, 224)
LIST = (255, 255, 255)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


class Canvas:
    def __init__(self, width, height, fill):
        self.w, self.h = width, height
        self.px = [tuple(fill)] * (width * height)

    def blend(self, x, y, colour, alpha):
        if 0 <= x < self.w and 0 <= y < self.h and alpha > 0:
            i = y * self.w + x
            self.px[i] = mix(self.px[i], colour, min(alpha, 1.0))

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.px[y * self.w + x] = tuple(colour)

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        span = max(1, y1 - y0 - 1)
        for y in range(max(0, y0), min(self.h, y1)):
            colour = mix(top, bottom, (y - y0) / span)
            for x in range(max(0, x0), min(self.w, x1)):
                self.px[y * self.w + x] = colour

    def shape(self, inside, box, colour, opacity=1.0):
        """Anti-aliased fill of the points for which inside(x, y) holds, 4 x 4 samples a pixel."""
        x0, y0, x1, y1 = (int(math.floor(box[0])), int(math.floor(box[1])),
                          int(math.ceil(box[2])), int(math.ceil(box[3])))
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                hits = sum(1 for sy in range(4) for sx in range(4)
                           if inside(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4))
                self.blend(x, y, colour, opacity * hits / 16)

    def circle(self, cx, cy, r, colour, opacity=1.0):
        self.shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r,
                   (cx - r, cy - r, cx + r, cy + r), colour, opacity)

    def round_rect(self, x0, y0, x1, y1, r, colour, opacity=1.0):
        def inside(x, y):
            if not (x0 <= x <= x1 and y0 <= y <= y1):
                return False
            dx = max(x0 + r - x, 0, x - (x1 - r))
            dy = max(y0 + r - y, 0, y - (y1 - r))
            return dx * dx + dy * dy <= r * r
        self.shape(inside, (x0, y0, x1, y1), colour, opacity)

    def polygon(self, points, colour, opacity=1.0):
        def inside(x, y):
            hit = False
            for i in range(len(points)):
                (ax, ay), (bx, by) = points[i], points[i - 1]
                if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
                    hit = not hit
            return hit
        xs, ys = [p[0] for p in points], [p[1] for p in points]
        self.shape(inside, (min(xs), min(ys), max(xs), max(ys)), colour, opacity)

    def line(self, ax, ay, bx, by, width, colour, opacity=1.0):
        def inside(x, y):
            dx, dy = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy or 1)))
            px, py = ax + t * dx - x, ay + t * dy - y
            return px * px + py * py <= (width / 2) ** 2
        pad = width / 2 + 1
        self.shape(inside, (min(ax, bx) - pad, min(ay, by) - pad, max(ax, bx) + pad,
                            max(ay, by) + pad), colour, opacity)

    def frame(self, x0, y0, x1, y1, colour):
        self.rect(x0, y0, x1, y0 + 1, colour)
        self.rect(x0, y1 - 1, x1, y1, colour)
        self.rect(x0, y0, x0 + 1, y1, colour)
        self.rect(x1 - 1, y0, x1, y1, colour)


def bubble(c, x, y, size, body=WHITE, dots=BLUE):
    """The program's mark: a speech bubble with three dots, inside a size x size square."""
    s = size / 32.0
    c.round_rect(x + 2 * s, y + 4 * s, x + 30 * s, y + 23 * s, 6 * s, body)
    c.polygon([(x + 8 * s, y + 21 * s), (x + 16 * s, y + 21 * s), (x + 6 * s, y + 29 * s)], body)
    for i in range(3):
        c.circle(x + (10 + 6 * i) * s, y + 13.5 * s, 2.2 * s, dots)


def save_png(name, c):
    picture.write(os.path.join(OUT, name), picture.png_bytes(c.w, c.h, c.px))


def save_bmp(name, c):
    picture.write(os.path.join(OUT, name), picture.bmp_bytes(c.w, c.h, c.px))


def window_background(width, height, band, name, strip=0, mark=False):
    """A title band, a pale body and, when asked, a darker strip for the buttons at the bottom and
    the program's mark at the left of the band."""
    c = Canvas(width, height, PALE)
    c.vgradient(0, 0, width, band, BLUE, NAVY)
    c.vgradient(0, band, width, height - strip, PALE, (208, 222, 242))
    if strip:
        c.vgradient(0, height - strip, width, height, (190, 206, 232), (160, 180, 214))
        c.rect(0, height - strip, width, height - strip + 1, SKY)
    # A soft wave across the body keeps the large surfaces from looking flat.
    for x in range(width):
        crest = band + (height - band - strip) * (0.78 + 0.08 * math.sin(x / width * 2 * math.pi))
        for y in range(int(crest), height - strip):
            c.blend(x, y, WHITE, 0.35)
    if mark:
        bubble(c, 14, (band - 40) / 2, 40)
    c.frame(0, 0, width, height, NAVY)
    save_png(name, c)


def close_picture(width, height, hover, name):
    c = Canvas(width, height, NAVY)
    c.round_rect(1, 1, width - 1, height - 1, 4, RED if hover else (70, 96, 150))
    m = height / 2
    k = height * 0.22
    for sx in (-1, 1):
        c.line(width / 2 - k, m - k * sx, width / 2 + k, m + k * sx, 2.2, WHITE)
    save_png(name, c)


def masked(c, background):
    """Pixels still of the background colour become the left-out colour, which the bottom-left
    pixel names."""
    c.px = [MASK if p == background else p for p in c.px]
    c.px[(c.h - 1) * c.w] = MASK
    return c


def glyph(name, draw):
    c = Canvas(16, 16, FACE)
    draw(c)
    save_bmp(name, masked(c, FACE))


def strip_image(c, index, width, draw):
    sub = Canvas(width, c.h, GUTTER)
    draw(sub)
    for y in range(c.h):
        for x in range(width):
            c.px[y * c.w + index * width + x] = sub.px[y * width + x]


def main():
    os.makedirs(OUT, exist_ok=True)

    # Window backgrounds, sized as the windows' client areas.
    window_background(572, 296, 56, "logon.png", strip=50, mark=True)
    window_background(663, 448, 28, "composer.png")
    window_background(300, 138, 28, "contact.png")
    strip = Canvas(300, 32, PALE)
    strip.vgradient(0, 0, 300, 32, (190, 206, 232), (160, 180, 214))
    strip.frame(0, -1, 300, 32, NAVY)
    save_png("contact_strip.png", strip)
    window_background(460, 200, 28, "notice.png", strip=48)
    window_background(300, 180, 28, "paypal.png", strip=48)

    close_picture(44, 20, False, "close.png")
    close_picture(44, 20, True, "close_hover.png")
    close_picture(42, 17, True, "composer_close.png")

    # The program's icon, also the tray icon.
    images = []
    for size in (16, 32, 48):
        c = Canvas(size, size, (0, 0, 0))
        c.px = [(0, 0, 0, 0)] * (size * size)
        solid = Canvas(size, size, BLUE)
        solid.round_rect(0, 0, size, size, size * 0.2, NAVY)
        alpha = Canvas(size, size, (0, 0, 0))
        alpha.round_rect(0, 0, size, size, size * 0.2, WHITE)
        bubble(solid, size * 0.06, size * 0.06, size * 0.88)
        c.px = [solid.px[i] + (alpha.px[i][0],) for i in range(size * size)]
        images.append((size, c.px))
    picture.write(os.path.join(OUT, "zemblySMS.ico"), picture.ico_bytes(images))

    # The tray menu's images, 20 x 15 each.
    menu = Canvas(20 * 7, 15, GUTTER)
    strip_image(menu, 0, 20, lambda s: s.circle(10, 7.5, 3, GREY))
    strip_image(menu, 1, 20, lambda s: (s.round_rect(4, 1, 15, 14, 2, RED),
                                         s.line(7, 4.5, 12, 10.5, 2, WHITE),
                                         s.line(12, 4.5, 7, 10.5, 2, WHITE)))
    strip_image(menu, 2, 20, lambda s: (
        [s.line(10 + 5.5 * math.cos(a), 7.5 + 5.5 * math.sin(a), 10 - 5.5 * math.cos(a),
                7.5 - 5.5 * math.sin(a), 2.4, GREY) for a in (0, math.pi / 4, math.pi / 2,
                                                              3 * math.pi / 4)],
        s.circle(10, 7.5, 3.6, GREY), s.circle(10, 7.5, 1.6, GUTTER)))
    strip_image(menu, 3, 20, lambda s: bubble(s, 2, -1, 16, WHITE, BLUE) or
                s.round_rect(2.5, 1, 17.5, 11.5, 3, BLUE, 0.35))
    strip_image(menu, 4, 20, lambda s: (s.circle(7, 7.5, 3.5, GOLD), s.circle(7, 7.5, 1.4, GUTTER),
                                         s.line(10, 7.5, 17, 7.5, 2, GOLD),
                                         s.line(15, 7.5, 15, 11, 2, GOLD)))
    strip_image(menu, 5, 20, lambda s: None)
    strip_image(menu, 6, 20, lambda s: (s.circle(10, 7.5, 6.5, GOLD),
                                         s.circle(10, 7.5, 5, (246, 204, 90)),
                                         s.line(10, 4, 10, 11, 1.6, (150, 100, 10))))
    save_bmp("traymenu.bmp", masked(menu, GUTTER))

    # The contact list's image, 35 x 30.
    person = Canvas(35, 30, LIST)
    person.circle(17.5, 9, 6, BLUE)
    person.round_rect(6, 16, 29, 30, 8, BLUE)
    save_bmp("contact.bmp", masked(person, LIST))

    # Button glyphs.
    glyph("ok.bmp", lambda c: (c.line(3, 8.5, 6.5, 12, 2.4, GREEN), c.line(6.5, 12, 13, 4, 2.4,
                                                                         GREEN)))
    glyph("cancel.bmp", lambda c: (c.line(4, 4, 12, 12, 2.4, RED), c.line(12, 4, 4, 12, 2.4, RED)))
    glyph("newuser.bmp", lambda c: (c.circle(7, 5, 3, BLUE), c.round_rect(2, 9, 12, 15, 3, BLUE),
                                    c.line(13, 3, 13, 9, 1.8, GREEN), c.line(10, 6, 16, 6, 1.8,
                                                                           GREEN)))
    glyph("add.bmp", lambda c: (c.line(8, 3, 8, 13, 2.4, GREEN), c.line(3, 8, 13, 8, 2.4, GREEN)))
    glyph("edit.bmp", lambda c: (c.line(4, 12, 12, 4, 3, GOLD), c.polygon([(2.5, 13.5), (3, 10.5),
                                                                           (5.5, 13)], GREY)))
    glyph("delete.bmp", lambda c: c.line(3, 8, 13, 8, 2.6, RED))
    glyph("send.bmp", lambda c: c.polygon([(2, 3), (14, 8), (2, 13), (4.5, 8)], BLUE))
    glyph("download.bmp", lambda c: (c.line(8, 2, 8, 10, 2.4, BLUE),
                                     c.polygon([(4, 8), (12, 8), (8, 13)], BLUE),
                                     c.line(3, 14, 13, 14, 1.6, GREY)))
    glyph("startup.bmp", lambda c: (c.round_rect(2, 3, 14, 13, 2, BLUE),
                                    c.polygon([(6, 5.5), (11.5, 8), (6, 10.5)], WHITE)))

    # The progress marker: a ring of dots with one bright dot going round.
    frames = []
    for f in range(8):
        c = Canvas(16, 16, MASK)
        for i in range(8):
            a = i * math.pi / 4
            shade = BLUE if i == f else (SKY if (i - f) % 8 == 7 else (196, 212, 236))
            cx, cy = 8 + 5 * math.cos(a), 8 + 5 * math.sin(a)
            for y in range(16):
                for x in range(16):
                    if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= 3.2:
                        c.px[y * 16 + x] = shade
        frames.append(c.px)
    picture.write(os.path.join(OUT, "marker.gif"),
                  picture.gif_bytes(16, 16, frames, delay_cs=8, transparent=MASK))


if __name__ == "__main__":
    main()
