#!/usr/bin/python3
"""Reads the display font file back with FreeType's own Windows font driver
and checks what the program relies on: the face, the cell, the character set
and range, the default bar and the Vietnamese letters.

    display_font_test.py FONT.fon"""
import ctypes
import struct
import sys
import unicodedata
import unittest

import freetype

FONT_PATH = None

# The codes of the Vietnamese texts, quoted as Windows-1252 characters, and the
# letters they must show.
CODES = "˜Ÿ¡¢£¤¥§ª¶ºÀÁÂÇÊËÒÓÕÖØÙÛÜßâãäåçèéêìíîïñóôõöøùü"
LETTERS = "Đăâđêôơưàảãáạằầấậềểếệìỉíịòóọồổốộờởớợùủũụừửữựỳý"
VIETNAMESE = dict(zip(CODES.encode("cp1252"), LETTERS))
BAR_CODES = list(range(127, 145)) + list(range(147, 150))
BASELINE = 11  # rows of the cell above the baseline


class WinFntHeader(ctypes.Structure):
    _fields_ = [
        ("version", ctypes.c_ushort), ("file_size", ctypes.c_ulong),
        ("copyright", ctypes.c_ubyte * 60), ("file_type", ctypes.c_ushort),
        ("nominal_point_size", ctypes.c_ushort), ("vertical_resolution", ctypes.c_ushort),
        ("horizontal_resolution", ctypes.c_ushort), ("ascent", ctypes.c_ushort),
        ("internal_leading", ctypes.c_ushort), ("external_leading", ctypes.c_ushort),
        ("italic", ctypes.c_ubyte), ("underline", ctypes.c_ubyte),
        ("strike_out", ctypes.c_ubyte), ("weight", ctypes.c_ushort),
        ("charset", ctypes.c_ubyte), ("pixel_width", ctypes.c_ushort),
        ("pixel_height", ctypes.c_ushort), ("pitch_and_family", ctypes.c_ubyte),
        ("avg_width", ctypes.c_ushort), ("max_width", ctypes.c_ushort),
        ("first_char", ctypes.c_ubyte), ("last_char", ctypes.c_ubyte),
        ("default_char", ctypes.c_ubyte), ("break_char", ctypes.c_ubyte),
        ("bytes_per_row", ctypes.c_ushort), ("device_offset", ctypes.c_ulong),
        ("face_name_offset", ctypes.c_ulong), ("bits_pointer", ctypes.c_ulong),
        ("bits_offset", ctypes.c_ulong), ("reserved", ctypes.c_ubyte),
        ("flags", ctypes.c_ulong), ("A_space", ctypes.c_ushort),
        ("B_space", ctypes.c_ushort), ("C_space", ctypes.c_ushort),
        ("color_table_offset", ctypes.c_ushort), ("reserved1", ctypes.c_ulong * 4),
    ]


def open_face():
    face = freetype.Face(FONT_PATH)
    face.set_charmap(face.charmaps[0])  # the font's own 8-bit codes
    return face


def cell(face, code):
    """The glyph of a code as (advance, set of (x, row)) in the 13-row cell."""
    face.load_char(code, freetype.FT_LOAD_RENDER | freetype.FT_LOAD_TARGET_MONO)
    slot = face.glyph
    bitmap = slot.bitmap
    pixels = set()
    for y in range(bitmap.rows):
        for x in range(bitmap.width):
            if bitmap.buffer[y * bitmap.pitch + x // 8] & (0x80 >> (x % 8)):
                pixels.add((slot.bitmap_left + x, BASELINE - slot.bitmap_top + y))
    return slot.advance.x >> 6, frozenset(pixels)


def components(pixels):
    """Groups of pixels that touch, diagonals included."""
    left, groups = set(pixels), []
    while left:
        stack, group = [left.pop()], set()
        while stack:
            x, y = stack.pop()
            group.add((x, y))
            for dx in (-1, 0, 1):
                for dy in (-1, 0, 1):
                    if (x + dx, y + dy) in left:
                        left.remove((x + dx, y + dy))
                        stack.append((x + dx, y + dy))
        groups.append(group)
    return groups


class FontFileTest(unittest.TestCase):
    def test_the_module_is_named_quorvel(self):
        with open(FONT_PATH, "rb") as f:
            data = f.read()
        self.assertEqual(data[:2], b"MZ")
        ne = struct.unpack_from("<I", data, 0x3C)[0]
        self.assertEqual(data[ne:ne + 2], b"NE")
        resident_names = ne + struct.unpack_from("<H", data, ne + 0x26)[0]
        length = data[resident_names]
        self.assertEqual(data[resident_names + 1:resident_names + 1 + length], b"QUORVEL")

    def test_face_and_cell(self):
        face = open_face()
        self.assertEqual(face.family_name, b"QuorvelFont")
        self.assertFalse(face.is_scalable)
        self.assertEqual(face.num_fixed_sizes, 1)
        self.assertEqual(face.available_sizes[0].height, 13)

        header = WinFntHeader()
        error = freetype.raw.FT_Get_WinFNT_Header(face._FT_Face, ctypes.byref(header))
        self.assertEqual(error, 0)
        expected = {
            "version": 0x200, "nominal_point_size": 8, "vertical_resolution": 96,
            "horizontal_resolution": 96, "pixel_height": 13, "ascent": 11,
            "internal_leading": 2, "external_leading": 0, "weight": 400, "italic": 0,
            "underline": 0, "strike_out": 0, "charset": 0, "pitch_and_family": 0x21,
            "first_char": 32, "last_char": 255, "avg_width": 5, "max_width": 11,
        }
        for field, value in expected.items():
            self.assertEqual(getattr(header, field), value, field)
        self.assertEqual(header.first_char + header.default_char, 128)
        self.assertEqual(header.first_char + header.break_char, 32)
        # The glyphs are as wide as the header says.
        self.assertEqual(header.max_width,
                         max(cell(face, code)[0] for code in range(32, 256)))
        lower_case = [cell(face, code)[0] for code in range(ord("a"), ord("z") + 1)]
        self.assertEqual(header.avg_width, round(sum(lower_case) / len(lower_case)))

    def test_every_code_from_32_to_255_and_no_other(self):
        face = open_face()
        defined = [code for code in range(0, 512) if face.get_char_index(code)]
        self.assertEqual(defined, list(range(32, 256)))

    def test_glyphs_stay_inside_their_cell(self):
        face = open_face()
        for code in range(32, 256):
            advance, pixels = cell(face, code)
            for x, row in pixels:
                self.assertTrue(0 <= x < advance and 0 <= row < 13, "code %d" % code)


class GlyphTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        face = open_face()
        cls.glyphs = {code: cell(face, code) for code in range(32, 256)}

    def test_codes_without_a_letter_show_the_narrow_default_bar(self):
        bar = self.glyphs[128]
        self.assertLessEqual(bar[0], 4)
        self.assertTrue(bar[1], "the bar has pixels")
        for code in BAR_CODES:
            self.assertEqual(self.glyphs[code], bar, "code %d" % code)

    def test_ascii_letters_and_digits_are_drawn(self):
        bar = self.glyphs[128]
        seen = {}
        for char in "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz:.&-()":
            glyph = self.glyphs[ord(char)]
            self.assertTrue(glyph[1], char)
            self.assertNotEqual(glyph, bar, char)
            self.assertNotIn(glyph, seen, "%s looks like %s" % (char, seen.get(glyph)))
            seen[glyph] = char
        self.assertFalse(self.glyphs[32][1], "the space is blank")
        self.assertGreater(self.glyphs[32][0], 0)

    def test_every_vietnamese_letter_is_its_own_glyph(self):
        seen = {}
        for code, letter in VIETNAMESE.items():
            glyph = self.glyphs[code]
            self.assertNotEqual(glyph, self.glyphs[128], letter)
            self.assertNotIn(glyph, seen, "%s looks like %s" % (letter, seen.get(glyph)))
            seen[glyph] = letter

    def test_vietnamese_letters_are_their_base_letter_with_marks(self):
        x_top = min(row for _, row in self.glyphs[ord("x")][1])
        for code, letter in VIETNAMESE.items():
            base, *marks = unicodedata.normalize("NFD", letter)
            if not marks or "\u031B" in marks:  # Đ, đ; the horn reshapes the letter
                continue
            with self.subTest(letter=letter):
                pixels = self.glyphs[code][1]
                base_pixels = self.glyphs[ord(base)][1]
                body = {(x, row) for x, row in pixels if x_top <= row < BASELINE}
                base_body = {(x, row) for x, row in base_pixels if x_top <= row < BASELINE}
                # The letter's body may sit a column apart from the plain one.
                shifts = {dx for dx in range(-2, 3)
                          if {(x + dx, row) for x, row in base_body} == body}
                self.assertTrue(shifts, "the body of %s is not %s" % (letter, base))
                above = [p for p in pixels if p[1] < x_top]
                below = [p for p in pixels if p[1] >= BASELINE]
                marks_above = len([m for m in marks if m != "\u0323"])
                self.assertEqual(bool(above), marks_above > 0 or base == "i")
                if "\u0323" in marks:
                    self.assertTrue(below, "%s has its dot below" % letter)
                if marks_above == 2:
                    # Stacked marks must not run into each other.
                    self.assertEqual(len(components(above)), 2, letter)

    def test_a_second_mark_keeps_the_circumflex_or_breve_as_it_is_alone(self):
        codes = {letter: code for code, letter in VIETNAMESE.items()}
        checked = 0
        for code, letter in VIETNAMESE.items():
            base, *marks = unicodedata.normalize("NFD", letter)
            for first in ("\u0302", "\u0306"):
                if first in marks and len(marks) == 2:
                    alone = self.glyphs[codes[unicodedata.normalize("NFC", base + first)]][1]
                    self.assertLessEqual(alone, self.glyphs[code][1], letter)
                    checked += 1
        self.assertEqual(checked, 12)


if __name__ == "__main__":
    FONT_PATH = sys.argv.pop(1)
    unittest.main()
