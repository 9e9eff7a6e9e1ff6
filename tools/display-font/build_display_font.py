#!/usr/bin/python3
"""Builds the program's display font "QuorvelFont": a Windows bitmap font file
(.FON) whose codes above 127 draw the Vietnamese letters of the program's
texts. The glyphs are DejaVu Sans rasterised by FreeType at 11 pixels to the
em, in black and white, as Debian 12 packages them (see README.md).

    build_display_font.py OUTPUT.fon [--preview PREVIEW.png]
"""
import argparse
import os
import sys
import unicodedata

import freetype

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import winfont  # noqa: E402

SOURCE_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
PIXELS_PER_EM = 11
HEIGHT = 13
ASCENT = 11  # the baseline lies under row 10 of the cell
FIRST_CHAR = 32
DEFAULT_CHAR = 0x80

FONT = winfont.FontInfo(
    face="QuorvelFont",
    copyright="Glyphs: DejaVu Sans (c) 2003 Bitstream, Inc.; see LICENSE",
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

# A circumflex or breve with a second mark: FreeType runs the two together at
# this size (or blots the circumflex), so such letters are put together here
# from the letter with its first mark and the second mark as FreeType draws it
# on the plain letter.
STACKING = {"\u0302", "\u0306"}  # circumflex, breve
DOT_BELOW = "\u0323"


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


def touches(pixels, others):
    return any((x + dx, row + dy) in others for x, row in pixels
               for dx in (-1, 0, 1) for dy in (-1, 0, 1))


def second_mark(raster, base, mark):
    """The pixels that the mark adds to the plain letter."""
    plain = raster.render(base).pixels
    return raster.render(unicodedata.normalize("NFC", base + mark)).pixels - plain


def two_marks(raster, base, first, second):
    upper = raster.render(unicodedata.normalize("NFC", base + first))
    if second == DOT_BELOW:  # the dot where FreeType puts it under the plain letter
        dot = {(x, row) for x, row in second_mark(raster, base, second) if row >= ASCENT}
        return Bitmap(upper.pixels | dot, upper.advance)
    # A tone above: one row over the first mark (as far as the cell's top
    # allows), at the leftmost place where the two marks do not touch.
    x_top = min(row for _, row in raster.render(base).pixels)
    tone = {(x, row) for x, row in second_mark(raster, "a", second) if row < x_top}
    first_mark = {(x, row) for x, row in upper.pixels if row < x_top - 1}
    dy = max(min(row for _, row in first_mark) - 1 - max(row for _, row in tone),
             -min(row for _, row in tone))
    dx = min(x for x, _ in first_mark) - min(x for x, _ in tone)
    while touches({(x + dx, row + dy) for x, row in tone}, first_mark):
        dx += 1
    return Bitmap(upper.pixels | {(x + dx, row + dy) for x, row in tone}, upper.advance)


def vietnamese(raster, letter):
    base, *marks = unicodedata.normalize("NFD", letter)
    # Decomposition puts the dot below first; the first mark here is the one on top.
    if len(marks) == 2 and STACKING & set(marks):
        first = (STACKING & set(marks)).pop()
        marks.remove(first)
        return two_marks(raster, base, first, marks[0])
    return raster.render(letter)


def default_bar():
    """The narrow bar of codes without a letter: two columns, cap height."""
    return Bitmap({(x, row) for x in (1, 2) for row in range(ASCENT - 8, ASCENT)}, 4)


def build_glyphs(raster):
    glyphs = []
    for code in range(FIRST_CHAR, 256):
        if code < 127:
            bitmap = raster.render(chr(code))
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
    image.resize((image.width * 3, image.height * 3)).save(path)


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
