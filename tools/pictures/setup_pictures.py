"""Draws the wizard's own pictures into resources/setup/: the product icon and the maker's logo of
the header, the three stage icons of the removal page (waiting and done) and the marker that
slides under them. Run from anywhere; the files are committed, so the build needs no Python."""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import picture  # noqa: E402

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "setup")
SS = 4  # supersampling per axis, for smooth edges


class Canvas:
    """RGBA pixels painted by coverage: each shape is sampled SS x SS times per pixel."""

    def __init__(self, width, height, fill=(0, 0, 0, 0)):
        self.w, self.h = width, height
        self.px = [list(fill) for _ in range(width * height)]

    def shape(self, inside, colour, box=None):
        x0, y0, x1, y1 = box or (0, 0, self.w, self.h)
        x0, y0 = max(0, int(x0)), max(0, int(y0))
        x1, y1 = min(self.w, int(math.ceil(x1))), min(self.h, int(math.ceil(y1)))
        for y in range(y0, y1):
            for x in range(x0, x1):
                hits = 0
                for sy in range(SS):
                    for sx in range(SS):
                        if inside(x + (sx + 0.5) / SS, y + (sy + 0.5) / SS):
                            hits += 1
                if hits:
                    self.blend(x, y, colour, hits / (SS * SS))

    def blend(self, x, y, colour, cover):
        if colour is None:  # erases: the pixel keeps (1 - cover) of its opacity
            dst = self.px[y * self.w + x]
            dst[3] = round(dst[3] * (1 - cover))
            return
        r, g, b = colour[:3]
        a = (colour[3] / 255 if len(colour) == 4 else 1.0) * cover
        dst = self.px[y * self.w + x]
        da = dst[3] / 255
        oa = a + da * (1 - a)
        if oa <= 0:
            return
        for i, c in enumerate((r, g, b)):
            dst[i] = round((c * a + dst[i] * da * (1 - a)) / oa)
        dst[3] = round(oa * 255)

    def rect(self, x0, y0, x1, y1, colour):
        self.shape(lambda x, y: x0 <= x < x1 and y0 <= y < y1, colour, (x0, y0, x1, y1))

    def round_rect(self, x0, y0, x1, y1, r, colour):
        def inside(x, y):
            if not (x0 <= x < x1 and y0 <= y < y1):
                return False
            cx = min(max(x, x0 + r), x1 - r)
            cy = min(max(y, y0 + r), y1 - r)
            return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
        self.shape(inside, colour, (x0, y0, x1, y1))

    def ellipse(self, cx, cy, rx, ry, colour):
        self.shape(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1, colour,
                   (cx - rx, cy - ry, cx + rx, cy + ry))

    def ring(self, cx, cy, r_out, r_in, colour):
        def inside(x, y):
            d = (x - cx) ** 2 + (y - cy) ** 2
            return r_in * r_in <= d <= r_out * r_out
        self.shape(inside, colour, (cx - r_out, cy - r_out, cx + r_out, cy + r_out))

    def polygon(self, points, colour):
        xs, ys = [p[0] for p in points], [p[1] for p in points]

        def inside(x, y):
            crossings = False
            for i in range(len(points)):
                (ax, ay), (bx, by) = points[i], points[i - 1]
                if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
                    crossings = not crossings
            return crossings
        self.shape(inside, colour, (min(xs), min(ys), max(xs), max(ys)))

    def line(self, ax, ay, bx, by, width, colour):
        """A stroke with round ends; colour None erases."""
        dx, dy = bx - ax, by - ay
        length = math.hypot(dx, dy)
        nx, ny = -dy / length * width / 2, dx / length * width / 2
        self.polygon([(ax + nx, ay + ny), (bx + nx, by + ny), (bx - nx, by - ny),
                      (ax - nx, ay - ny)], colour)
        self.ellipse(ax, ay, width / 2, width / 2, colour)
        self.ellipse(bx, by, width / 2, width / 2, colour)

    def pixels(self):
        return [tuple(p) for p in self.px]


def shade(colour, factor):
    return tuple(max(0, min(255, round(c * factor))) for c in colour[:3])


def grey(colour):
    level = round(0.3 * colour[0] + 0.59 * colour[1] + 0.11 * colour[2])
    level = round(level * 0.55 + 200 * 0.45)
    return (level, level, level)


BLUE = (40, 92, 170)
SKY = (110, 160, 225)
ORANGE = (236, 140, 40)
GREEN = (46, 150, 60)
PAPER = (252, 252, 248)
INK = (70, 70, 80)
MARKER_BACK = (0xED, 0xE7, 0xDE)  # the window's colour 0x00DEE7ED


def product_icon(size):
    """A carton with a blue band and an arrow going into it: something to be installed."""
    c = Canvas(size, size)
    s = size / 32
    # box body and lid
    c.polygon([(5 * s, 13 * s), (27 * s, 13 * s), (27 * s, 29 * s), (5 * s, 29 * s)], (196, 150, 96))
    c.polygon([(5 * s, 13 * s), (27 * s, 13 * s), (24 * s, 9 * s), (8 * s, 9 * s)], (222, 184, 130))
    c.rect(5 * s, 28 * s, 27 * s, 29 * s, shade((196, 150, 96), 0.7))
    c.rect(13 * s, 13 * s, 19 * s, 29 * s, BLUE)
    c.polygon([(13 * s, 13 * s), (19 * s, 13 * s), (18 * s, 9 * s), (14 * s, 9 * s)], SKY)
    # the arrow coming down into the box
    c.rect(14 * s, 1 * s, 18 * s, 9 * s, GREEN)
    c.polygon([(10 * s, 7 * s), (22 * s, 7 * s), (16 * s, 14 * s)], GREEN)
    return c.pixels()


def maker_logo():
    """60 x 43: the maker's mark, a ring around a T, with three bars standing for a wordmark."""
    c = Canvas(60, 43)
    c.ring(21, 19, 15.5, 11.5, BLUE)
    c.rect(13, 11, 29, 15, ORANGE)
    c.rect(19, 11, 23, 28, ORANGE)
    c.round_rect(40, 10, 57, 14, 2, BLUE)
    c.round_rect(40, 17, 54, 21, 2, SKY)
    c.round_rect(40, 24, 57, 28, 2, BLUE)
    c.round_rect(4, 37, 57, 40, 1.5, shade(SKY, 1.0))
    return c.pixels()


def registry_stage(done):
    """Three stacked blocks: the registry entries."""
    c = Canvas(32, 32)
    colours = [BLUE, SKY, ORANGE] if done else [grey(BLUE), grey(SKY), grey(ORANGE)]
    for i, (x, y) in enumerate([(3, 17), (17, 17), (10, 4)]):
        face = colours[i]
        c.round_rect(x, y, x + 12, y + 12, 2, face)
        c.rect(x + 2, y + 2, x + 10, y + 4, shade(face, 1.25))
    return c.pixels()


def links_stage(done):
    """Two chain links: the shortcuts."""
    c = Canvas(32, 32)
    colour = BLUE if done else grey(BLUE)
    other = ORANGE if done else grey(ORANGE)
    for (ax, ay, bx, by), col in (((6, 22, 14, 14), colour), ((18, 18, 26, 10), other)):
        c.line(ax, ay, bx, by, 8, col)
        c.line(ax, ay, bx, by, 3, None)
    return c.pixels()


def files_stage(done):
    """A sheet with a folded corner and lines of text: the files."""
    c = Canvas(32, 32)
    edge = INK if done else grey(INK)
    c.polygon([(6, 2), (20, 2), (26, 8), (26, 30), (6, 30)], edge)
    c.polygon([(7, 3), (19.5, 3), (25, 8.5), (25, 29), (7, 29)], PAPER)
    c.polygon([(19, 3), (25, 9), (19, 9)], shade(PAPER, 0.8))
    for y in (12, 16, 20, 24):
        c.rect(10, y, 22, y + 2, SKY if done else grey(SKY))
    return c.pixels()


def with_check(pixels):
    """The done form of a stage icon: a green tick in a white disc at the lower right."""
    c = Canvas(32, 32)
    c.px = [list(p) for p in pixels]
    c.ellipse(24, 24, 7.5, 7.5, (255, 255, 255))
    c.ellipse(24, 24, 6.5, 6.5, GREEN)
    c.line(20.5, 24, 23, 26.5, 2, (255, 255, 255))
    c.line(23, 26.5, 27.5, 21, 2, (255, 255, 255))
    return c.pixels()


def marker_frames():
    """An arrow pointing up that bobs a little: the stage being worked on. The background is the
    window's colour, so the smoothed edges blend into it, and it is the transparent colour."""
    back = MARKER_BACK
    frames = []
    for lift in (0, 1, 2, 3, 2, 1):
        c = Canvas(32, 20, back + (255,))
        top = 2 + 3 - lift
        c.polygon([(16, top), (25, top + 8), (19, top + 8), (19, top + 14), (13, top + 14),
                   (13, top + 8), (7, top + 8)], ORANGE)
        frames.append([p[:3] for p in c.pixels()])
    # A palette of at most 256 colours: the smoothed edges are quantised, the background kept.
    return [[p if p == back else tuple((v // 8) * 8 for v in p) for p in f] for f in frames]


def main():
    os.makedirs(OUT, exist_ok=True)
    picture.write(os.path.join(OUT, "setup_icon.ico"),
                  picture.ico_bytes([(32, product_icon(32)), (16, product_icon(16))]))
    picture.write(os.path.join(OUT, "setup_icon.png"), picture.png_bytes(32, 32, product_icon(32)))
    picture.write(os.path.join(OUT, "setup_logo.png"), picture.png_bytes(60, 43, maker_logo()))
    stages = {"registry": registry_stage, "links": links_stage, "files": files_stage}
    for name, draw in stages.items():
        picture.write(os.path.join(OUT, "stage_%s.png" % name),
                      picture.png_bytes(32, 32, draw(False)))
        picture.write(os.path.join(OUT, "stage_%s_done.png" % name),
                      picture.png_bytes(32, 32, with_check(draw(True))))
    picture.write(os.path.join(OUT, "marker.gif"), picture.gif_bytes(32, 20, marker_frames(), 12,
                                                   transparent=MARKER_BACK))


if __name__ == "__main__":
    main()
