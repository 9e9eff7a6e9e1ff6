#!/usr/bin/python3
"""Builds the program's display font "QuorvelFont": a Windows bitmap font file
(.FON) whose codes above 127 draw the Vietnamese letters of the program's
texts. Letters, digits and marks are drawn here by hand; the other symbols
are DejaVu Sans Condensed rasterised by FreeType at 11 pixels to the em, in
black and white, as Debian 12 packages them (see README.md).

    build_display_font.py OUTPUT.fon [--preview PREVIEW.png]
"""
import argparse
import os
import sys
import unicodedata

import freetype

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import winfont  # noqa: E402

SOURCE_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf"
PIXELS_PER_EM = 11
HEIGHT = 13
ASCENT = 11  # the baseline lies under row 10 of the cell
FIRST_CHAR = 32
DEFAULT_CHAR = 0x80

FONT = winfont.FontInfo(
    face="QuorvelFont",
    copyright="Symbols: DejaVu Sans (c) 2003 Bitstream, Inc.; see LICENSE",
    points=8, dpi=96, height=HEIGHT, ascent=ASCENT, internal_leading=2,
    external_leading=0, weight=400, charset=0,
    pitch_and_family=0x21,  # variable pitch, Swiss
    first_char=FIRST_CHAR, default_char=DEFAULT_CHAR, break_char=0x20)

# The codes of the program's Vietnamese texts and the letters they draw.
VIETNAMESE = {
    0x98: "Đ", 0x9F: "ă", 0xA1: "â", 0xA2: "đ", 0xA3: "ê", 0xA4: "ô", 0xA5: "ơ",
    0xA7: "ư", 0xAA: "à", 0xB6: "ả", 0xBA: "ã", 0xC0: "á", 0xC1: "ạ", 0xC2: "ằ",
    0xC7: "ầ", 0xCA: "ấ", 0xCB: "ậ", 0xD2: "ề", 0xD3: "ể", 0xD5: "ế", 0xD6: "ệ",
    0xD8: "ì", 0xD9: "ỉ", 0xDB: "í", 0xDC: "ị", 0xDF: "ò", 0xE2: "ó", 0xE3: "ọ",
    0xE4: "ồ", 0xE5: "ổ", 0xE7: "ố", 0xE8: "ộ", 0xE9: "ờ", 0xEA: "ở", 0xEC: "ớ",
    0xED: "ợ", 0xEE: "ù", 0xEF: "ủ", 0xF1: "ũ", 0xF3: "ụ", 0xF4: "ừ", 0xF5: "ử",
    0xF6: "ữ", 0xF8: "ự", 0xF9: "ỳ", 0xFC: "ý",
}

# Marks drawn by hand: FreeType blurs or merges them at this size. Each is
# rows of pixels ("#"), top row first.
MARKS = {
    "\u0300": ["#.", ".#"],  # grave
    "\u0301": [".#", "#."],  # acute
    "\u0309": ["##.", "..#", ".#."],  # hook above
    "\u0303": [".#.#", "#.#."],  # tilde
    "\u0302": [".#.", "#.#"],  # circumflex
    "\u0306": ["#..#", ".##."],  # breve
    "\u0323": ["#"],  # dot below
}
STACKING = {"\u0302", "\u0306"}  # circumflex, breve: a tone goes beside them
DOT_BELOW = "\u0323"
HORN = "\u031B"
MARK_BOTTOM = 3  # the row of a mark's lowest pixel, above a gap over the x-height
DOT_ROW = HEIGHT - 1

# Letters and digits drawn by hand, as a sans-serif 8-point screen font draws
# them: FreeType's outlines at this size come out lopsided or too wide. Each is
# (top row, rows); capitals and digits stand 8 rows high, ascenders 9, the
# x-height is 6.
ASCENDER, CAP, X_TOP = 2, 3, 5
DRAWN = {
    "A": (CAP, ["..#..", ".#.#.", ".#.#.", "#...#", "#...#", "#####", "#...#", "#...#"]),
    "B": (CAP, ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "#...#", "####."]),
    "C": (CAP, [".###.", "#...#", "#....", "#....", "#....", "#....", "#...#", ".###."]),
    "D": (CAP, ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", "####."]),
    "E": (CAP, ["####", "#...", "#...", "###.", "#...", "#...", "#...", "####"]),
    "F": (CAP, ["####", "#...", "#...", "###.", "#...", "#...", "#...", "#..."]),
    "G": (CAP, [".###.", "#...#", "#....", "#....", "#..##", "#...#", "#...#", ".###."]),
    "H": (CAP, ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#", "#...#"]),
    "I": (CAP, ["#"] * 8),
    "J": (CAP, ["...#"] * 6 + ["#..#", ".##."]),
    "K": (CAP, ["#...#", "#..#.", "#.#..", "##...", "##...", "#.#..", "#..#.", "#...#"]),
    "L": (CAP, ["#..."] * 7 + ["####"]),
    "M": (CAP, ["#.....#", "##...##", "#.#.#.#", "#..#..#", "#.....#", "#.....#", "#.....#",
                "#.....#"]),
    "N": (CAP, ["#...#", "##..#", "##..#", "#.#.#", "#.#.#", "#..##", "#..##", "#...#"]),
    "O": (CAP, [".####."] + ["#....#"] * 6 + [".####."]),
    "P": (CAP, ["####.", "#...#", "#...#", "####.", "#....", "#....", "#....", "#...."]),
    "Q": (CAP, [".####.", "#....#", "#....#", "#....#", "#....#", "#..#.#", "#...#.", ".###.#"]),
    "R": (CAP, ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#", "#...#"]),
    "S": (CAP, [".###.", "#...#", "#....", ".##..", "...#.", "....#", "#...#", ".###."]),
    "T": (CAP, ["#####"] + ["..#.."] * 7),
    "U": (CAP, ["#...#"] * 7 + [".###."]),
    "V": (CAP, ["#...#", "#...#", "#...#", ".#.#.", ".#.#.", ".#.#.", "..#..", "..#.."]),
    "W": (CAP, ["#...#...#", "#...#...#", "#...#...#", ".#.#.#.#.", ".#.#.#.#.",
                ".#.#.#.#.", "..#...#..", "..#...#.."]),
    "X": (CAP, ["#...#", "#...#", ".#.#.", "..#..", "..#..", ".#.#.", "#...#", "#...#"]),
    "Y": (CAP, ["#...#", "#...#", ".#.#.", ".#.#.", "..#..", "..#..", "..#..", "..#.."]),
    "Z": (CAP, ["#####", "....#", "...#.", "..#..", "..#..", ".#...", "#....", "#####"]),
    "0": (CAP, [".##."] + ["#..#"] * 6 + [".##."]),
    "1": (CAP, ["..#.", ".##."] + ["..#."] * 6),
    "2": (CAP, [".##.", "#..#", "...#", "...#", "..#.", ".#..", "#...", "####"]),
    "3": (CAP, [".##.", "#..#", "...#", ".##.", "...#", "...#", "#..#", ".##."]),
    "4": (CAP, ["...#", "..##", ".#.#", ".#.#", "#..#", "####", "...#", "...#"]),
    "5": (CAP, ["####", "#...", "#...", "###.", "...#", "...#", "#..#", ".##."]),
    "6": (CAP, [".##.", "#...", "#...", "###.", "#..#", "#..#", "#..#", ".##."]),
    "7": (CAP, ["####", "...#", "...#", "..#.", "..#.", ".#..", ".#..", ".#.."]),
    "8": (CAP, [".##.", "#..#", "#..#", ".##.", "#..#", "#..#", "#..#", ".##."]),
    "9": (CAP, [".##.", "#..#", "#..#", "#..#", ".###", "...#", "...#", ".##."]),
    "~": (X_TOP + 1, [".##.#", "#..#."]),
    "#": (CAP + 1, [".#.#.", ".#.#.", "#####", ".#.#.", "#####", ".#.#.", ".#.#."]),
    "@": (CAP, ["..######..", ".#......#.", "#..###.#.#", "#.#...##.#", "#.#....#.#",
                "#.#...##.#", "#..###.##.", ".#........", "..######.."]),
    "a": (X_TOP, [".##.", "...#", ".###", "#..#", "#..#", ".###"]),
    "b": (ASCENDER, ["#...", "#...", "#...", "###.", "#..#", "#..#", "#..#", "#..#", "###."]),
    "c": (X_TOP, [".##.", "#..#", "#...", "#...", "#..#", ".##."]),
    "d": (ASCENDER, ["...#", "...#", "...#", ".###", "#..#", "#..#", "#..#", "#..#", ".###"]),
    "e": (X_TOP, [".##.", "#..#", "####", "#...", "#..#", ".##."]),
    "f": (ASCENDER, [".##", "#..", "#..", "###", "#..", "#..", "#..", "#..", "#.."]),
    "g": (X_TOP, [".###", "#..#", "#..#", "#..#", "#..#", ".###", "...#", ".##."]),
    "h": (ASCENDER, ["#...", "#...", "#...", "###.", "#..#", "#..#", "#..#", "#..#", "#..#"]),
    "i": (CAP, ["#", "."] + ["#"] * 6),
    "j": (CAP, [".#", ".."] + [".#"] * 7 + ["#."]),
    "k": (ASCENDER, ["#...", "#...", "#...", "#..#", "#.#.", "##..", "#.#.", "#..#", "#..#"]),
    "l": (ASCENDER, ["#"] * 9),
    "m": (X_TOP, ["###.##.", "#..#..#", "#..#..#", "#..#..#", "#..#..#", "#..#..#"]),
    "n": (X_TOP, ["###.", "#..#", "#..#", "#..#", "#..#", "#..#"]),
    "o": (X_TOP, [".##.", "#..#", "#..#", "#..#", "#..#", ".##."]),
    "p": (X_TOP, ["###.", "#..#", "#..#", "#..#", "#..#", "###.", "#...", "#..."]),
    "q": (X_TOP, [".###", "#..#", "#..#", "#..#", "#..#", ".###", "...#", "...#"]),
    "r": (X_TOP, ["#.#", "##.", "#..", "#..", "#..", "#.."]),
    "s": (X_TOP, [".###", "#...", ".##.", "...#", "...#", "###."]),
    "t": (CAP + 1, ["#..", "###", "#..", "#..", "#..", "#..", ".##"]),
    "u": (X_TOP, ["#..#"] * 5 + [".###"]),
    "v": (X_TOP, ["#...#", "#...#", ".#.#.", ".#.#.", "..#..", "..#.."]),
    "w": (X_TOP, ["#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."]),
    "x": (X_TOP, ["#...#", ".#.#.", "..#..", "..#..", ".#.#.", "#...#"]),
    "y": (X_TOP, ["#...#", "#...#", ".#.#.", ".#.#.", "..#..", "..#..", "..#..", "##..."]),
    "z": (X_TOP, ["####", "...#", "..#.", ".#..", "#...", "####"]),
    "\u0110": (CAP, [".####.", ".#...#", ".#...#", "####.#", ".#...#", ".#...#", ".#...#",
                     ".####."]),  # D with stroke
    "\u0111": (ASCENDER, ["...#.", "..###", "...#.", ".###.", "#..#.", "#..#.", "#..#.", "#..#.",
                         ".###."]),  # d with stroke
    # o and u with horn
    "\u01A1": (X_TOP - 1, ["....#", ".###.", "#..#.", "#..#.", "#..#.", "#..#.", ".##.."]),
    "\u01B0": (X_TOP - 1, ["....#", "#..#.", "#..#.", "#..#.", "#..#.", "#..#.", ".###."]),
}


class Bitmap:
    """Pixels of one glyph: a set of (x, row) in cell rows, and an advance."""

    def __init__(self, pixels, advance):
        self.pixels = set(pixels)
        self.advance = advance

    def glyph(self, name):
        # The few glyphs that reach a row below the cell (the underscore, the
        # bar) move up by that much, where the top of the cell leaves room.
        overflow = max((row for _, row in self.pixels), default=0) - (HEIGHT - 1)
        if overflow > 0 and min(row for _, row in self.pixels) >= overflow:
            self.pixels = {(x, row - overflow) for x, row in self.pixels}
        left = min((x for x, _ in self.pixels), default=0)
        shift = max(0, -left)  # ink left of the origin widens the glyph
        width = max([self.advance + shift] + [x + shift + 1 for x, _ in self.pixels])
        rows = [0] * HEIGHT
        for x, row in self.pixels:
            if not 0 <= row < HEIGHT:
                raise ValueError("%s does not fit the %d-pixel cell" % (name, HEIGHT))
            rows[row] |= 1 << (width - 1 - (x + shift))
        return width, rows


def tight(pixels):
    """Ink from column 0 and one blank column after it, as a screen font spaces."""
    if not pixels:
        return Bitmap(pixels, 0)
    left = min(x for x, _ in pixels)
    moved = {(x - left, row) for x, row in pixels}
    return Bitmap(moved, max(x for x, _ in moved) + 2)


def art(rows, left, top):
    """The pixels of rows drawn with "#", their top left corner at (left, top)."""
    return {(left + x, top + i)
            for i, line in enumerate(rows) for x, c in enumerate(line) if c == "#"}


class Rasteriser:
    def __init__(self, path):
        self.face = freetype.Face(path)
        self.face.set_pixel_sizes(0, PIXELS_PER_EM)

    def render(self, char):
        self.face.load_char(char, freetype.FT_LOAD_RENDER | freetype.FT_LOAD_TARGET_MONO)
        slot = self.face.glyph
        bitmap = slot.bitmap
        pixels = set()
        for y in range(bitmap.rows):
            for x in range(bitmap.width):
                if bitmap.buffer[y * bitmap.pitch + x // 8] & (0x80 >> (x % 8)):
                    pixels.add((slot.bitmap_left + x, ASCENT - slot.bitmap_top + y))
        return Bitmap(pixels, (slot.advance.x + 32) >> 6)

    def letter(self, char):
        """A letter as the display font draws it: rasterised, or drawn by hand."""
        if char in DRAWN:
            top, rows = DRAWN[char]
            return tight(art(rows, 0, top))
        bitmap = self.render(char)
        return bitmap if char == " " else tight(bitmap.pixels)


def touches(pixels, others):
    return any((x + dx, row + dy) in others for x, row in pixels
               for dx in (-1, 0, 1) for dy in (-1, 0, 1))


def mark_pixels(mark, left, bottom):
    return art(MARKS[mark], left, bottom - len(MARKS[mark]) + 1)


def vietnamese(raster, letter):
    """A Vietnamese letter: its base letter with the marks drawn by hand, a
    tone beside a circumflex or breve so that the two stay apart."""
    base, *marks = unicodedata.normalize("NFD", letter)
    if HORN in marks or not marks:  # the horn and the stroke reshape the letter
        marks = [m for m in marks if m != HORN]
        plain = raster.letter(unicodedata.normalize("NFC", base + HORN) if base in "ou" else letter)
    else:
        plain = raster.letter(base)
    body_width = max(x for x, _ in raster.letter(base).pixels) + 1
    x_top = min(row for _, row in raster.letter("x").pixels)
    dotless = base == "i" and any(mark != DOT_BELOW for mark in marks)
    pixels = {(x, row) for x, row in plain.pixels if not dotless or row >= x_top}
    above = None
    for mark in sorted(marks, key=lambda m: m not in STACKING):
        width = len(MARKS[mark][0])
        if mark == DOT_BELOW:
            pixels |= mark_pixels(mark, (body_width - 1) // 2, DOT_ROW)
        elif above is None:
            above = mark_pixels(mark, (body_width - width) // 2, MARK_BOTTOM)
            pixels |= above
        else:  # beside the first mark, as high as the cell allows, not touching
            top_row = min(row for _, row in above)
            left = max(x for x, _ in above)
            tone = mark_pixels(mark, left, max(top_row - 1, len(MARKS[mark]) - 1))
            while touches(tone, above):
                tone = {(x + 1, row) for x, row in tone}
            pixels |= tone
    return Bitmap(pixels, plain.advance)


def default_bar():
    """The narrow bar of codes without a letter: two columns, cap height."""
    return Bitmap({(x, row) for x in (1, 2) for row in range(ASCENT - 8, ASCENT)}, 4)


def build_glyphs(raster):
    glyphs = []
    for code in range(FIRST_CHAR, 256):
        if code < 127:
            bitmap = raster.letter(chr(code))
        elif code in VIETNAMESE:
            bitmap = vietnamese(raster, VIETNAMESE[code])
        else:
            bitmap = default_bar()
        glyphs.append(bitmap.glyph("code %d" % code))
    return glyphs


def write_preview(glyphs, path):
    """A picture of every glyph and of some of the program's texts, enlarged."""
    from PIL import Image

    samples = ["Nhập vào số IMEI:", "Phân tích  Lưu  Xoá  Tuỳ chọn...",
               "Thông báo  Đóng  Có  Không  Cổng:  Giới thiệu",
               "ằ ầ ấ ậ ề ể ế ệ ồ ổ ố ộ ờ ở ớ ợ ừ ử ữ ự ỳ ý ủ ũ ụ ỉ ị"]
    codes = {letter: code for code, letter in VIETNAMESE.items()}
    lines = [list(range(FIRST_CHAR + 32 * i, FIRST_CHAR + 32 * (i + 1))) for i in range(7)]
    lines += [[codes.get(ch, ord(ch)) for ch in text] for text in samples]
    image = Image.new("1", (420, HEIGHT * len(lines) + 2 * len(lines)), 1)
    for line_number, line in enumerate(lines):
        x, top = 2, line_number * (HEIGHT + 2)
        for code in line:
            width, rows = glyphs[code - FIRST_CHAR]
            for row, bits in enumerate(rows):
                for column in range(width):
                    if bits >> (width - 1 - column) & 1:
                        image.putpixel((x + column, top + row), 0)
            x += width + (1 if line_number < 7 else 0)
    image.resize((image.width * 3, image.height * 3), Image.NEAREST).save(path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output")
    parser.add_argument("--preview", help="also write an enlarged picture of the glyphs")
    args = parser.parse_args()
    glyphs = build_glyphs(Rasteriser(SOURCE_FONT))
    fnt = winfont.fnt_bytes(FONT, glyphs)
    with open(args.output, "wb") as out:
        out.write(winfont.fon_bytes("QUORVEL", FONT, fnt))
    if args.preview:
        write_preview(glyphs, args.preview)


if __name__ == "__main__":
    main()
