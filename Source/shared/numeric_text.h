// How readers interpret setting texts: as exact text ("0", "1") or by their
// numeric value (the number standing at the start of the text).
#pragma once

#include <cstdint>
#include <string>

namespace quorvel {

// The number at the start of text. Blanks, tabs and line feeds are ignored
// wherever they stand; then an optional sign, digits with an optional decimal
// point and exponent, or "&H"/"&O" followed by hexadecimal/octal digits. The
// scan stops at the first character that cannot continue the number; a text
// without a number gives 0. An exponent too large for a double gives +/-inf.
//
// "&H"/"&O" values are read as 32-bit two's-complement patterns, as the
// platform's own conversion does: "&HFFFFFFFF" is -1. More than 32 bits of
// hexadecimal or octal digits keep only the low 32 bits.
double NumericValue(const std::string& text);

// value rounded to the nearest integer, halves to the even neighbour. Values
// beyond the 32-bit range (infinities included) are clamped to INT32_MIN or
// INT32_MAX; NaN gives 0. The platform would raise an overflow error there;
// clamping keeps a hand-edited settings file from stopping the program.
std::int32_t RoundToInt32(double value);

// The integer value of a setting text: RoundToInt32(NumericValue(text)).
std::int32_t IntegerValue(const std::string& text);

}  // namespace quorvel
