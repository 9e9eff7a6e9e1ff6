// UTF-8 text to the program's 8-bit Windows-1252 text.
#pragma once

#include <string>

namespace quorvel {

// Every character that Windows-1252 cannot represent, and every byte that is
// not part of a well-formed UTF-8 sequence, becomes this one.
inline constexpr char kUnrepresentable = '?';

std::string Utf8ToWindows1252(const std::string& utf8);

}  // namespace quorvel
