#!/usr/bin/env python3
"""Draws Designer's icons (one .ico per image key, 16 x 16 and 32 x 32, 32-bit
with alpha) and its "BACKGROUND" picture.

Each icon is a list of shapes on a 16 x 16 design grid; both sizes are
rendered from it with 4 x 4 supersampling, and outlines keep one pixel of
width at either size. Run it from anywhere; it writes resources/icons/*.ico
resources/icons/background.bmp and designer_icons.rci, which are committed, so the build itself
needs no Python.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "icons")
SS = 4  # supersampling per axis

# Colours (r, g, b); a shape's outline is its colour darkened unless given.
YELLOW, YELLOW_LIGHT, YELLOW_DARK = (246, 206, 72), (252, 232, 150), (176, 128, 20)
BLUE, BLUE_LIGHT, BLUE_DARK = (52, 112, 214), (140, 184, 244), (20, 56, 140)
GREEN, GREEN_DARK = (60, 170, 70), (24, 100, 32)
RED, RED_DARK = (214, 52, 48), (130, 20, 20)
WHITE, PAPER, GREY, GREY_DARK, BLACK = (255, 255, 255), (248, 248, 244), (176, 176, 176), (96, 96, 96), (24, 24, 24)
ORANGE, PURPLE, TEAL = (240, 140, 40), (130, 80, 190), (40, 160, 170)


def dark(c, f=0.55):
    return tuple(int(v * f) for v in c)


class Canvas:
    def __init__(self, size):
        self.size = size
        self.n = size * SS
        self.px = [[(0, 0, 0, 0.0)] * self.n for _ in range(self.n)]
        self.k = self.n / 16.0  # design units to samples

    def _blend(self, x, y, c, a=1.0):
        r, g, b, al = self.px[y][x]
        na = a + al * (1 - a)
        if na <= 0:
            return
        mix = lambda s, d: (s * a + d * al * (1 - a)) / na
        self.px[y][x] = (mix(c[0], r), mix(c[1], g), mix(c[2], b), na)

    def fill(self, inside, box, c, a=1.0):
        x0, y0, x1, y1 = [int(math.floor(v * self.k)) for v in box]
        for y in range(max(0, y0 - 1), min(self.n, y1 + 2)):
            for x in range(max(0, x0 - 1), min(self.n, x1 + 2)):
                if inside((x + 0.5) / self.k, (y + 0.5) / self.k):
                    self._blend(x, y, c, a)

    # One output pixel, in design units.
    def pixel(self):
        return 16.0 / self.size

    def poly(self, pts, c, outline=True, oc=None):
        def inside(px, py):
            hit = False
            j = len(pts) - 1
            for i in range(len(pts)):
                xi, yi = pts[i]
                xj, yj = pts[j]
                if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
                    hit = not hit
                j = i
            return hit
        xs, ys = [p[0] for p in pts], [p[1] for p in pts]
        if c is not None:
            self.fill(inside, (min(xs), min(ys), max(xs), max(ys)), c)
        if outline:
            self.path(pts + [pts[0]], oc or dark(c))

    def rect(self, x0, y0, x1, y1, c, outline=True, oc=None):
        self.poly([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], c, outline, oc)

    def circle(self, cx, cy, r, c, outline=True, oc=None):
        if c is not None:
            self.fill(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, (cx - r, cy - r, cx + r, cy + r), c)
        if outline:
            self.ring(cx, cy, r, oc or dark(c))

    def ring(self, cx, cy, r, c, w=None, a0=0, a1=360):
        w = w or self.pixel()
        def inside(x, y):
            d = math.hypot(x - cx, y - cy)
            if abs(d - (r - w / 2)) > w / 2:
                return False
            ang = math.degrees(math.atan2(y - cy, x - cx)) % 360
            return (a0 <= ang <= a1) if a0 <= a1 else (ang >= a0 or ang <= a1)
        self.fill(inside, (cx - r, cy - r, cx + r, cy + r), c)

    def line(self, x0, y0, x1, y1, c, w=None):
        w = w or self.pixel()
        dx, dy = x1 - x0, y1 - y0
        ln = math.hypot(dx, dy) or 1
        def inside(x, y):
            t = max(0, min(1, ((x - x0) * dx + (y - y0) * dy) / (ln * ln)))
            return math.hypot(x - (x0 + t * dx), y - (y0 + t * dy)) <= w / 2
        self.fill(inside, (min(x0, x1) - w, min(y0, y1) - w, max(x0, x1) + w, max(y0, y1) + w), c)

    def path(self, pts, c, w=None):
        for a, b in zip(pts, pts[1:]):
            self.line(a[0], a[1], b[0], b[1], c, w)

    def pixels(self):
        out = []
        for y in range(self.size):
            row = []
            for x in range(self.size):
                r = g = b = a = 0.0
                for sy in range(SS):
                    for sx in range(SS):
                        pr, pg, pb, pa = self.px[y * SS + sy][x * SS + sx]
                        r, g, b, a = r + pr * pa, g + pg * pa, b + pb * pa, a + pa
                if a > 0:
                    r, g, b = r / a, g / a, b / a
                row.append((int(round(r)), int(round(g)), int(round(b)), int(round(255 * a / (SS * SS)))))
            out.append(row)
        return out


# ---- shapes shared by several icons

def page(c, x0=3, y0=1, x1=13, y1=15, fold=3):
    c.poly([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)], PAPER, oc=GREY_DARK)
    c.poly([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], (220, 220, 214), oc=GREY_DARK)


def text_lines(c, x0, x1, ys, col=GREY):
    for y in ys:
        c.line(x0, y, x1, y, col, 16 / c.size * (1 if c.size == 16 else 1.5))


def folder_back(c, y_off=0):
    c.poly([(1, 3 + y_off), (6, 3 + y_off), (7.5, 4.5 + y_off), (15, 4.5 + y_off), (15, 14), (1, 14)], YELLOW_DARK, oc=dark(YELLOW_DARK, 0.7))


def folder_closed(c):
    folder_back(c)
    c.rect(1, 6, 15, 14, YELLOW, oc=YELLOW_DARK)
    c.line(1.5, 6.9, 14.5, 6.9, YELLOW_LIGHT)


def folder_open(c):
    folder_back(c)
    c.rect(2.5, 5.5, 13.5, 12, PAPER, oc=GREY)
    c.poly([(3.5, 8), (16, 8), (13.5, 14), (1, 14)], YELLOW_LIGHT, oc=YELLOW_DARK)


def menu_panel(c, x0=1, y0=1, x1=12, y1=15, rows=(3.5, 7, 10.5), hi=1):
    c.rect(x0, y0, x1, y1, WHITE, oc=GREY_DARK)
    for i, y in enumerate(rows):
        if i == hi:
            c.rect(x0 + 1, y - 1.5, x1 - 1, y + 1.5, BLUE, outline=False)
            c.line(x0 + 2.5, y, x1 - 3, y, WHITE, 16 / c.size * 1.2)
        else:
            c.line(x0 + 2.5, y, x1 - 3, y, GREY_DARK, 16 / c.size * 1.2)


def arrow(c, pts, col):
    c.poly(pts, col)


def check(c, x, y, s, col=GREEN):
    c.path([(x, y), (x + s * 0.35, y + s * 0.35), (x + s, y - s * 0.5)], dark(col, 0.8), s * 0.5)
    c.path([(x, y), (x + s * 0.35, y + s * 0.35), (x + s, y - s * 0.5)], col, s * 0.3)


def window(c, x0, y0, x1, y1, title=BLUE):
    c.rect(x0, y0, x1, y1, WHITE, oc=GREY_DARK)
    c.rect(x0, y0, x1, y0 + 2.5, title, oc=dark(title))


def keyboard(c, x0, y0, x1, y1):
    c.rect(x0, y0, x1, y1, (226, 226, 226), oc=GREY_DARK)
    w = (x1 - x0 - 1) / 4
    for row in range(2):
        for k in range(4):
            kx = x0 + 0.5 + k * w
            ky = y0 + 0.7 + row * (y1 - y0 - 1) / 2.2
            c.rect(kx + 0.2, ky, kx + w - 0.3, ky + (y1 - y0) / 3.2, WHITE, oc=GREY)
    c.rect(x0 + 1.5, y1 - 1.6, x1 - 1.5, y1 - 0.6, WHITE, oc=GREY)


def bolt(c, x, y, s=1.0, col=ORANGE):
    pts = [(x + 3 * s, y), (x, y + 5 * s), (x + 2 * s, y + 5 * s), (x + 1 * s, y + 9 * s), (x + 5 * s, y + 3.5 * s),
           (x + 3 * s, y + 3.5 * s), (x + 4.5 * s, y)]
    c.poly(pts, col, oc=dark(col, 0.6))


def gear(c, cx, cy, r, col=GREY):
    teeth = 8
    pts = []
    for i in range(teeth * 4):
        a = math.pi * 2 * i / (teeth * 4)
        rr = r if (i % 4) in (0, 1) else r * 0.74
        pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    c.poly(pts, col, oc=dark(col, 0.5))
    c.circle(cx, cy, r * 0.33, WHITE, oc=dark(col, 0.5))


def circ_arrows(c, cx, cy, r, col):
    w = r * 0.38
    c.ring(cx, cy, r, dark(col, 0.7), w + 16 / c.size * 0.8, 200, 340)
    c.ring(cx, cy, r, dark(col, 0.7), w + 16 / c.size * 0.8, 20, 160)
    c.ring(cx, cy, r, col, w, 200, 340)
    c.ring(cx, cy, r, col, w, 20, 160)
    rm = r - w / 2
    for ang, d in ((340, 1), (160, 1)):
        a = math.radians(ang)
        px, py = cx + rm * math.cos(a), cy + rm * math.sin(a)
        tx, ty = -math.sin(a) * d, math.cos(a) * d  # along the turn
        nx, ny = math.cos(a), math.sin(a)
        s = w * 1.3
        c.poly([(px + nx * s, py + ny * s), (px - nx * s, py - ny * s), (px + tx * s * 1.4, py + ty * s * 1.4)], col,
               oc=dark(col, 0.7))


def magnifier(c, cx, cy, r):
    c.line(cx + r * 0.7, cy + r * 0.7, cx + r * 1.9, cy + r * 1.9, BLACK, r * 0.7)
    c.circle(cx, cy, r, (210, 232, 250), oc=BLACK)
    c.ring(cx, cy, r, GREY_DARK, r * 0.3)


# ---- the icons, by key

def i_add(c):
    c.rect(6, 1.5, 10, 14.5, GREEN, oc=GREEN_DARK)
    c.rect(1.5, 6, 14.5, 10, GREEN, oc=GREEN_DARK)
    c.rect(6.6, 6.6, 9.4, 9.4, GREEN, outline=False)


def i_options(c):
    gear(c, 8, 8, 7, GREY)


def i_app_icon(c):
    window(c, 0.5, 0.5, 12, 11)
    c.rect(5, 5, 15.5, 15.5, WHITE, oc=GREY_DARK)
    for i, y in enumerate((7.5, 10.5, 13.5)):
        if i == 1:
            c.rect(6, y - 1.3, 14.5, y + 1.3, BLUE, outline=False)
            c.line(7, y, 12.5, y, WHITE, 16 / c.size * 1.2)
        else:
            c.line(7, y, 12.5, y, GREY_DARK, 16 / c.size * 1.2)
    bolt(c, 1, 4, 0.8)


def i_delete(c):
    c.line(3, 3, 13, 13, RED_DARK, 3.6)
    c.line(13, 3, 3, 13, RED_DARK, 3.6)
    c.line(3, 3, 13, 13, RED, 2.4)
    c.line(13, 3, 3, 13, RED, 2.4)


def i_folder_scan(c):
    folder_closed(c)
    magnifier(c, 9.5, 9, 3.2)


def i_folder_validate(c):
    folder_closed(c)
    check(c, 6.5, 10, 7.5)


def i_menu(c):
    menu_panel(c, 2, 1, 14, 15, rows=(4, 8, 12), hi=1)


def i_new(c):
    page(c)
    for a in range(0, 360, 45):
        r = 3.5 if a % 90 == 0 else 2
        c.line(11.5, 4.5, 11.5 + r * math.cos(math.radians(a)), 4.5 + r * math.sin(math.radians(a)), ORANGE, 1.2)
    c.circle(11.5, 4.5, 1.2, YELLOW, oc=ORANGE)


def i_popupmenu(c):
    menu_panel(c, 1, 1, 11, 15, rows=(4, 8, 12), hi=1)
    c.rect(8, 5, 15.5, 15.5, WHITE, oc=GREY_DARK)
    c.line(9.5, 8, 14, 8, GREY_DARK, 1.2)
    c.line(9.5, 11, 14, 11, GREY_DARK, 1.2)
    c.line(9.5, 14, 14, 14, GREY_DARK, 1.2)
    c.poly([(6, 6), (8.5, 8), (6, 10)], BLACK, outline=False)


def i_question(c):
    c.circle(8, 8, 7, BLUE, oc=BLUE_DARK)
    c.ring(8, 6, 2.6, WHITE, 1.8, 180, 90)
    c.line(8, 8.6, 8, 10, WHITE, 1.8)
    c.circle(8, 12.4, 1.1, WHITE, outline=False)


def i_save(c):
    c.poly([(1.5, 1.5), (13, 1.5), (14.5, 3), (14.5, 14.5), (1.5, 14.5)], BLUE, oc=BLUE_DARK)
    c.rect(4, 1.5, 12, 6, (230, 230, 230), oc=GREY_DARK)
    c.rect(9.5, 2.3, 11, 5.2, GREY_DARK, outline=False)
    c.rect(3.5, 8.5, 12.5, 14.5, WHITE, oc=GREY_DARK)
    text_lines(c, 5, 11, (10.5, 12.5))


def i_separator(c):
    c.line(2, 4, 14, 4, GREY, 1.5)
    c.rect(1, 7, 15, 7.9, GREY_DARK, outline=False)
    c.rect(1, 8.1, 15, 9, WHITE, outline=False)
    c.line(2, 12, 14, 12, GREY, 1.5)


def i_testmenu(c):
    menu_panel(c, 1, 1, 11, 15, rows=(4, 8, 12), hi=1)
    c.poly([(8, 6), (15.5, 10.5), (8, 15)], GREEN, oc=GREEN_DARK)


def i_properties(c):
    c.rect(1.5, 1.5, 14.5, 14.5, WHITE, oc=GREY_DARK)
    c.rect(1.5, 1.5, 14.5, 4, BLUE, oc=BLUE_DARK)
    for y in (6.5, 9.5, 12.5):
        c.rect(3, y - 1, 5, y + 1, WHITE, oc=GREY_DARK)
        c.line(6.5, y, 13, y, GREY_DARK, 1.1)
    check(c, 3.1, 9.4, 2)


def i_explorer(c):
    window(c, 0.5, 1, 15.5, 14.5)
    c.line(5.5, 3.5, 5.5, 14.5, GREY)
    text_lines(c, 2, 4.5, (5.5, 8, 10.5))
    c.rect(7, 5, 10, 7.5, YELLOW, oc=YELLOW_DARK)
    c.rect(11.5, 5, 14.5, 7.5, YELLOW, oc=YELLOW_DARK)
    c.rect(7, 10, 10, 12.5, YELLOW, oc=YELLOW_DARK)


def i_email(c):
    c.rect(0.5, 3, 15.5, 13, WHITE, oc=GREY_DARK)
    c.path([(0.8, 3.3), (8, 9), (15.2, 3.3)], GREY_DARK)
    c.path([(0.8, 12.7), (6, 7.5)], GREY)
    c.path([(15.2, 12.7), (10, 7.5)], GREY)


def i_qa(c):
    bolt(c, 2.5, 0.5, 1.6, YELLOW)


def i_customaction(c):
    keyboard(c, 0.5, 6, 15.5, 15)
    bolt(c, 9, 0.2, 0.75)
    c.poly([(2, 4.5), (6, 4.5), (6, 2.5), (9, 5), (6, 7.5), (6, 5.5), (2, 5.5)], BLUE, outline=False)


def i_refresh(c):
    circ_arrows(c, 8, 8, 6.5, GREEN)


def i_preview(c):
    c.poly([(0.5, 8)] + [(8 + 7.5 * math.cos(math.radians(a)), 8 - 5.5 * math.sin(math.radians(a))) for a in range(170, 9, -10)]
           + [(15.5, 8)] + [(8 + 7.5 * math.cos(math.radians(a)), 8 + 5.5 * math.sin(math.radians(a))) for a in range(10, 171, 10)],
           WHITE, oc=GREY_DARK)
    c.circle(8, 8, 3.4, BLUE, oc=BLUE_DARK)
    c.circle(8, 8, 1.5, BLACK, outline=False)
    c.circle(6.8, 6.8, 0.7, WHITE, outline=False)


def i_down(c):
    c.poly([(5.5, 1), (10.5, 1), (10.5, 8), (14.5, 8), (8, 15), (1.5, 8), (5.5, 8)], BLUE, oc=BLUE_DARK)


def i_up(c):
    c.poly([(5.5, 15), (10.5, 15), (10.5, 8), (14.5, 8), (8, 1), (1.5, 8), (5.5, 8)], BLUE, oc=BLUE_DARK)


def i_blank(c):
    pass


def i_disabled(c):
    c.circle(8, 8, 6.5, None, outline=False)
    c.ring(8, 8, 7, GREY_DARK, 2)
    c.line(3.3, 12.7, 12.7, 3.3, GREY_DARK, 2)


def i_customwindowaction(c):
    window(c, 0.5, 0.5, 13, 10)
    keyboard(c, 4, 9, 15.5, 15.5)


def i_file(c):
    page(c)
    text_lines(c, 5, 11, (6.5, 8.5, 10.5, 12.5))


def i_windows(c):
    window(c, 0.5, 0.5, 11, 9, title=GREY_DARK)
    window(c, 5, 5.5, 15.5, 15)


def i_error(c):
    c.circle(8, 8, 7, RED, oc=RED_DARK)
    c.line(5, 5, 11, 11, WHITE, 2)
    c.line(11, 5, 5, 11, WHITE, 2)


def i_selectiontask(c):
    page(c, 1, 0.5, 9, 11, 2)
    page(c, 3.5, 2.5, 11.5, 13, 2)
    page(c, 6, 4.5, 14, 15, 2)
    check(c, 7.5, 11, 5.5)


def i_edit_copy(c):
    page(c, 1, 0.5, 10, 11, 2.5)
    text_lines(c, 2.5, 7, (4, 6, 8))
    page(c, 6, 5, 15, 15.5, 2.5)
    text_lines(c, 7.5, 12.5, (9, 11, 13))


def i_edit_cut(c):
    c.line(5, 1, 10.5, 10, GREY_DARK, 1.6)
    c.line(11, 1, 5.5, 10, GREY_DARK, 1.6)
    for cx in (4.5, 11.5):
        c.circle(cx, 12, 2.8, WHITE, outline=False)
        c.ring(cx, 12, 2.8, RED, 1.4)


def i_edit_paste(c):
    c.rect(1.5, 2.5, 12.5, 15, (188, 140, 80), oc=(110, 70, 30))
    c.rect(4.5, 1, 9.5, 4, GREY, oc=GREY_DARK)
    page(c, 6.5, 6, 15, 15.5, 2.5)
    text_lines(c, 8, 12.5, (10, 12, 14))


def i_dfolder(c):
    folder_closed(c)
    circ_arrows(c, 10.5, 10.5, 4.6, BLUE)


def i_folder_open(c):
    folder_open(c)


def i_folder_closed(c):
    folder_closed(c)


KEYS = ("add,options,app_icon,delete,folder_open,folder_closed,folder_scan,folder_validate,menu,new,popupmenu,"
        "question,save,separator,testmenu,properties,explorer,email,qa,customaction,refresh,preview,down,up,blank,"
        "disabled,customwindowaction,file,windows,error,selectiontask,edit_copy,edit_cut,edit_paste,dfolder").split(",")


def icon_entry(rows):
    size = len(rows)
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + bytes(mask)


def write_icon(path, draw):
    entries = []
    for size in (16, 32):
        c = Canvas(size)
        draw(c)
        entries.append((size, icon_entry(c.pixels())))
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for size, data in entries:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in entries:
        out += data
    with open(path, "wb") as f:
        f.write(out)


def write_background(path, w=64, h=64):
    # A quiet pale wash with a faint diagonal weave, tiled behind dialogs.
    rows = []
    for y in range(h):
        row = b""
        for x in range(w):
            v = 236 + int(6 * math.sin((x + y) * math.pi / 16)) + (2 if (x - y) % 16 == 0 else 0)
            row += bytes((min(255, v + 6), min(255, v + 2), v))  # b, g, r
        rows.append(row)
    pixels = b"".join(reversed(rows))
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 14 + len(header) + len(pixels), 0, 0, 14 + len(header)) + header + pixels)


def main():
    os.makedirs(OUT, exist_ok=True)
    for key in KEYS:
        write_icon(os.path.join(OUT, key + ".ico"), globals()["i_" + key])
    write_background(os.path.join(OUT, "background.bmp"))
    write_rci(os.path.join(HERE, "designer_icons.rci"))


def write_rci(path):
    lines = ["// Designer's pictures, drawn by draw_icons.py. String 101 lists the image",
             "// keys in the order of the image lists; each key names its icon file.",
             "STRINGTABLE", "BEGIN", '  101, "%s"' % ",".join(KEYS), "END", "",
             '1 ICON "resources/icons/app_icon.ico"',
             'BACKGROUND PICTURES "resources/icons/background.bmp"']
    lines += ['%s CUSTOM "resources/icons/%s.ico"' % (k, k) for k in KEYS]
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
