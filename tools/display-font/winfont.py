"""Writers for Windows bitmap fonts: one raster font in the .FNT 2.0 layout,
wrapped in a 16-bit "NE" module (.FON) with its font directory.

A glyph is a pair (width, rows): rows are the cell's pixel rows from the top,
each an int whose bit (width - 1 - x) is the pixel in column x."""
import struct
from dataclasses import dataclass
from typing import List, Sequence, Tuple

Glyph = Tuple[int, Sequence[int]]

FNT_VERSION_2 = 0x0200
FNT_HEADER_SIZE = 118  # the 2.0 header, up to and including dfReserved
FONTDIRENTRY_SIZE = 113  # the header's first 113 bytes, as the directory repeats them
RT_FONTDIR = 0x8007
RT_FONT = 0x8008
ALIGN_SHIFT = 4  # resources start on 16-byte boundaries


@dataclass
class FontInfo:
    face: str
    copyright: str
    points: int
    dpi: int
    height: int
    ascent: int
    internal_leading: int
    external_leading: int
    weight: int
    charset: int
    pitch_and_family: int
    first_char: int
    default_char: int  # absolute code
    break_char: int  # absolute code


def fnt_bytes(info: FontInfo, glyphs: Sequence[Glyph]) -> bytes:
    """The .FNT 2.0 font: header, character table, column-major bitmaps, face."""
    last_char = info.first_char + len(glyphs) - 1
    if last_char > 255:
        raise ValueError("too many glyphs for an 8-bit font")
    table_size = 4 * (len(glyphs) + 1)  # one extra entry: the absolute space
    offset = FNT_HEADER_SIZE + table_size
    bitmaps, table = bytearray(), bytearray()
    for width, rows in glyphs:
        if len(rows) != info.height:
            raise ValueError("glyph rows must fill the cell height")
        if any(row >> width for row in rows):
            raise ValueError("glyph pixels beyond its width")
        table += struct.pack("<HH", width, offset + len(bitmaps))
        bitmaps += _columns(width, rows)
    space_width = glyphs[info.break_char - info.first_char][0]
    table += struct.pack("<HH", space_width, offset + len(bitmaps))
    face_offset = offset + len(bitmaps)
    size = face_offset + len(info.face) + 1
    if size > 0xFFFF:
        raise ValueError("a 2.0 font keeps 16-bit offsets: the font is too large")
    copyright = info.copyright.encode("ascii")
    if len(copyright) > 60:
        raise ValueError("copyright longer than 60 bytes")
    widths = [width for width, _ in glyphs]
    # The average width: that of the lower-case letters, which make most of a text.
    lower_case = widths[ord("a") - info.first_char:ord("z") - info.first_char + 1]
    average_width = round(sum(lower_case) / len(lower_case))
    width_bytes = sum((width + 7) // 8 for width in widths)
    header = struct.pack(
        "<HI60sHHHHHHHBBBHBHHBHHBBBBHIIIIB",
        FNT_VERSION_2, size, copyright,
        0,  # dfType: raster
        info.points, info.dpi, info.dpi,
        info.ascent, info.internal_leading, info.external_leading,
        0, 0, 0,  # italic, underline, strike-out
        info.weight, info.charset,
        0,  # dfPixWidth: 0, the pitch is variable
        info.height, info.pitch_and_family,
        average_width, max(widths),
        info.first_char, last_char,
        info.default_char - info.first_char, info.break_char - info.first_char,
        width_bytes + (width_bytes & 1),
        0,  # dfDevice: no device name
        face_offset,
        0,  # dfBitsPointer: set by the loader
        offset,  # dfBitsOffset
        0)  # dfReserved
    assert len(header) == FNT_HEADER_SIZE
    return header + bytes(table) + bytes(bitmaps) + info.face.encode("ascii") + b"\0"


def _columns(width: int, rows: Sequence[int]) -> bytes:
    """A glyph's bitmap: 8-pixel-wide columns left to right, each top to bottom."""
    out = bytearray()
    for column in range((width + 7) // 8):
        shift = ((width + 7) // 8 - 1 - column) * 8
        padded = ((width + 7) // 8) * 8 - width  # unused low bits of the last column
        for row in rows:
            out.append(((row << padded) >> shift) & 0xFF)
    return bytes(out)


def fon_bytes(module_name: str, info: FontInfo, fnt: bytes) -> bytes:
    """A 16-bit NE module holding a font directory and the one font."""
    description = "FONTRES 100,%d,%d : %s %d" % (info.dpi, info.dpi, info.face, info.points)
    fontdir = (struct.pack("<HH", 1, 1) + fnt[:FONTDIRENTRY_SIZE] + b"\0" +
               info.face.encode("ascii") + b"\0")

    ne_offset = 0x40
    resource_table_offset = 0x40  # from the NE header
    resource_table_size = 2 + 2 * (8 + 12) + 3
    resident_names = _names([(module_name, 0)])
    resident_offset = resource_table_offset + resource_table_size
    module_refs_offset = resident_offset + len(resident_names)
    imported_offset = module_refs_offset  # no module references
    entry_offset = imported_offset + 1  # the imported names table is one empty byte
    entry_table = b"\0\0"
    nonresident_offset = ne_offset + entry_offset + len(entry_table)
    nonresident_names = _names([(description, 0)])
    resources_start = _align(nonresident_offset + len(nonresident_names))
    fontdir_at = resources_start
    font_at = _align(fontdir_at + len(fontdir))

    resource_table = struct.pack("<H", ALIGN_SHIFT)
    for type_id, at, data in ((RT_FONTDIR, fontdir_at, fontdir), (RT_FONT, font_at, fnt)):
        resource_table += struct.pack("<HHI", type_id, 1, 0)
        resource_table += struct.pack("<HHHHHH", at >> ALIGN_SHIFT, _align(len(data)) >> ALIGN_SHIFT,
                                      0x0C50 if type_id == RT_FONTDIR else 0x1C30, 0x8001, 0, 0)
    resource_table += b"\0\0\0"  # end of types, and of the (empty) resource names
    assert len(resource_table) == resource_table_size

    ne_header = struct.pack(
        "<2sBBHHIHHHHIIHHHHHHHHIHHHBBHHHH",
        b"NE", 5, 10,  # linker version
        entry_offset, len(entry_table),
        0,  # CRC
        0x8300,  # library module, Windows API
        0, 0, 0,  # automatic data segment, heap, stack
        0, 0,  # CS:IP, SS:SP
        0, 0,  # segments, module references
        len(nonresident_names),
        0x40,  # segment table (empty)
        resource_table_offset, resident_offset, module_refs_offset, imported_offset,
        nonresident_offset,
        0, ALIGN_SHIFT, 0,  # movable entries, alignment, resource segments
        2, 0,  # target: Windows
        0, 0, 0,  # thunks, swap area
        0x0300)  # Windows 3.0
    assert len(ne_header) == 0x40

    mz_header = bytearray(ne_offset)
    mz_header[0:2] = b"MZ"
    struct.pack_into("<HHHHH", mz_header, 2, ne_offset % 512, 1, 0, 4, 0)
    struct.pack_into("<H", mz_header, 0x18, 0x40)  # relocations at 0x40: a new-style executable
    struct.pack_into("<I", mz_header, 0x3C, ne_offset)

    out = bytearray(mz_header) + ne_header + resource_table + resident_names + b"\0" + entry_table
    out += nonresident_names
    out += bytes(fontdir_at - len(out)) + fontdir
    out += bytes(font_at - len(out)) + fnt
    out += bytes(_align(len(out)) - len(out))
    return bytes(out)


def _names(entries: List[Tuple[str, int]]) -> bytes:
    """A name table: length-prefixed names with their ordinals, ended by 0."""
    out = bytearray()
    for name, ordinal in entries:
        raw = name.encode("ascii")
        out += bytes([len(raw)]) + raw + struct.pack("<H", ordinal)
    return bytes(out) + b"\0"


def _align(offset: int) -> int:
    unit = 1 << ALIGN_SHIFT
    return (offset + unit - 1) // unit * unit
