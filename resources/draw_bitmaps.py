#!/usr/bin/env python3
"""Draws Fennick's menu bitmaps (resources 101 to 109) and Sashkit's toolbox
bitmaps (resources 30000 and 30001) as BMP files.

Each picture is a character grid: '.' is the background, pure magenta
(255, 0, 255), which Fennick maps to the menu colour when it loads the
bitmap; every other character names one colour of the standard 16-colour
palette. Run it from anywhere; it writes resources/bitmaps/*.bmp, which are
committed, so the build itself needs no Python.
"""
import os
import struct

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
COLOUR = {'k': 0, 'm': 1, 'G': 2, 'o': 3, 'n': 4, 'p': 5, 't': 6, 's': 7,
          'g': 8, 'r': 9, 'l': 10, 'y': 11, 'b': 12, '.': 13, 'c': 14, 'w': 15}

PICTURES = {
    # A small window with a menu.
    101: (8, [
        "................",
        ".nnnnnnnnnnnnnn.",
        ".nwwwwwwwwwwwwn.",
        ".nnnnnnnnnnnnnn.",
        ".nsssssssssssgn.",
        ".nskksskkssssgn.",
        ".nsssssssssssgn.",
        ".nswwwwwwwwwwgn.",
        ".nswkkkkkkkwsgn.",
        ".nswwwwwwwwwsgn.",
        ".nswkkkkkwwwsgn.",
        ".nswwwwwwwwwsgn.",
        ".nswkkkkkkwwsgn.",
        ".nsssssssssssgn.",
        ".nnnnnnnnnnnnnn.",
        "................",
    ]),
    # A blue arrow pointing right.
    102: (8, [
        "................",
        "................",
        "........b.......",
        "........bb......",
        "........bbb.....",
        "........bbbb....",
        ".bbbbbbbbbbbb...",
        ".bbbbbbbbbbbbb..",
        ".bbbbbbbbbbbbb..",
        ".bbbbbbbbbbbb...",
        "........bbbb....",
        "........bbb.....",
        "........bb......",
        "........b.......",
        "................",
        "................",
    ]),
    # A red cross.
    103: (4, [
        "................",
        ".rr..........rr.",
        ".rrr........rrr.",
        "..rrr......rrr..",
        "...rrr....rrr...",
        "....rrr..rrr....",
        ".....rrrrrr.....",
        "......rrrr......",
        "......rrrr......",
        ".....rrrrrr.....",
        "....rrr..rrr....",
        "...rrr....rrr...",
        "..rrr......rrr..",
        ".rrr........rrr.",
        ".rr..........rr.",
        "................",
    ]),
    # A yellow folder.
    104: (4, [
        "................",
        "................",
        "..kkkkk.........",
        ".kywywyk........",
        ".kyyyyyykkkkkkk.",
        ".kwwwwwwwwwwwwk.",
        ".kwyyyyyyyyyyok.",
        ".kwyyyyyyyyyyok.",
        ".kwyyyyyyyyyyok.",
        ".kwyyyyyyyyyyok.",
        ".kwyyyyyyyyyyok.",
        ".kwyyyyyyyyyyok.",
        ".koooooooooooook",
        ".kkkkkkkkkkkkkkk",
        "................",
        "................",
    ]),
    # A red pennant.
    105: (4, [
        "................",
        "...k............",
        "...krr..........",
        "...krrrr........",
        "...krrrrrr......",
        "...krrrrrrrr....",
        "...krrrrrrrrrr..",
        "...krrrrrrrr....",
        "...krrrrrr......",
        "...krrrr........",
        "...krr..........",
        "...k............",
        "...k............",
        "...k............",
        "..kkk...........",
        "................",
    ]),
    # A warning triangle, 13 x 13.
    106: (4, [
        "......k......",
        ".....kyk.....",
        ".....kyk.....",
        "....kyyyk....",
        "....kykyk....",
        "...kyykyyk...",
        "...kyykyyk...",
        "..kyyykyyyk..",
        "..kyyyyyyyk..",
        ".kyyyykyyyyk.",
        ".kyyyyyyyyyk.",
        "kkkkkkkkkkkkk",
        ".............",
    ]),
    # A grid with arrows.
    107: (4, [
        "................",
        ".kkkkkkkkkkkkkk.",
        ".kwwwwkwwwwkwwk.",
        ".kwwwwkwwwwkwwk.",
        ".kkkkkkkkkkkkkk.",
        ".kwwwwkwwwwkwwk.",
        ".kwwwwkwwwwkwwk.",
        ".kkkkkkkkkkkkkk.",
        ".kwwwwkwwwwkwwk.",
        ".kkkkkkkkkkkkkk.",
        "................",
        "...G.......r....",
        "..GGG.....rrr...",
        ".GGGGG...rrrrr..",
        "...G.......r....",
        "................",
    ]),
    # A window with a downward arrow.
    108: (8, [
        "................",
        ".nnnnnnnnnnnnnn.",
        ".nwwwwwwwwwwwwn.",
        ".nnnnnnnnnnnnnn.",
        ".nwwwwwwwwwwwwn.",
        ".nwwwwwbbwwwwwn.",
        ".nwwwwwbbwwwwwn.",
        ".nwwwwwbbwwwwwn.",
        ".nwwwwwbbwwwwwn.",
        ".nwwbbbbbbbbwwn.",
        ".nwwwbbbbbbwwwn.",
        ".nwwwwbbbbwwwwn.",
        ".nwwwwwbbwwwwwn.",
        ".nwwwwwwwwwwwwn.",
        ".nnnnnnnnnnnnnn.",
        "................",
    ]),
    # Blank: all background.
    109: (8, ["." * 16] * 16),
}


# Sashkit's toolbox pictures, 16 x 15 on the button face: an etched line
# (shadow beside highlight) in a frame, upright for HorzDivider (30000) and
# lying for VertDivider (30001).
TOOLBOX = {
    30000: (4, [
        "ssssssssssssssss",
        "sgggggggggggggws",
        "sgssssssssssssws",
        "sgsssssgwsssssws",
        "sgsssssgwsssssws",
        "sgsssssgwsssssws",
        "sgsssssgwsssssws",
        "sgsssssgwsssssws",
        "sgsssssgwsssssws",
        "sgsssssgwsssssws",
        "sgsssssgwsssssws",
        "sgsssssgwsssssws",
        "sgssssssssssssws",
        "swwwwwwwwwwwwwws",
        "ssssssssssssssss",
    ]),
    30001: (4, [
        "ssssssssssssssss",
        "sgggggggggggggws",
        "sgssssssssssssws",
        "sgssssssssssssws",
        "sgssssssssssssws",
        "sgssssssssssssws",
        "sgsggggggggggsws",
        "sgswwwwwwwwwwsws",
        "sgssssssssssssws",
        "sgssssssssssssws",
        "sgssssssssssssws",
        "sgssssssssssssws",
        "sgssssssssssssws",
        "swwwwwwwwwwwwwws",
        "ssssssssssssssss",
    ]),
}


def bmp(bits, rows):
    height = len(rows)
    width = len(rows[0])
    assert all(len(r) == width for r in rows)
    colours = 1 << bits
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in
                       (PALETTE + [(0, 0, 0)] * colours)[:colours])
    stride = ((width * bits + 31) // 32) * 4
    pixels = b""
    for row in reversed(rows):  # bottom-up
        idx = [COLOUR[c] for c in row]
        if bits == 8:
            line = bytes(idx)
        else:
            line = bytes((idx[i] << 4) | (idx[i + 1] if i + 1 < width else 0)
                         for i in range(0, width, 2))
        pixels += line + b"\0" * (stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0,
                       len(pixels), 2835, 2835, colours, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "bitmaps")
    os.makedirs(out, exist_ok=True)
    for number, (bits, rows) in sorted(PICTURES.items()):
        with open(os.path.join(out, "menu%d.bmp" % number), "wb") as f:
            f.write(bmp(bits, rows))
    for number, (bits, rows) in sorted(TOOLBOX.items()):
        with open(os.path.join(out, "toolbox%d.bmp" % number), "wb") as f:
            f.write(bmp(bits, rows))


if __name__ == "__main__":
    main()
