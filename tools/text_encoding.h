// Conversions between the program's 8-bit Windows-1252 texts and the UTF-8
// of files and terminals on the build machine.
#pragma once

#include <string>

namespace quorvel {

// The Unicode code points of text read as UTF-8. A byte that does not
// start or continue a valid sequence stands for its Windows-1252 character,
// so 8-bit text that is not UTF-8 survives.
std::u32string DecodeUtf8(const std::string& text);

// The UTF-8 encoding of code points.
std::string EncodeUtf8(const std::u32string& codePoints);

// The Windows-1252 character of a byte, as a code point (the five bytes the
// code page leaves undefined stand for themselves, as Windows maps them).
char32_t Cp1252CodePoint(unsigned char byte);

// Windows-1252 text as UTF-8.
std::string Cp1252ToUtf8(const std::string& text);

// UTF-8 text as Windows-1252; a character the code page lacks becomes "?".
std::string Utf8ToCp1252(const std::string& text);

// Windows-1252 text with every control character (below 32, 127, and the
// undefined bytes that stand for C1 controls) replaced by "?", so that text
// from outside cannot steer a terminal.
std::string WithoutControls(std::string text);

}  // namespace quorvel
