// Texts quoted as their Windows-1252 characters, turned into the bytes the
// program holds: expected Vietnamese texts are written as they are quoted.
#pragma once

#include <string>
#include <string_view>

namespace quorvel::test {

// Above ASCII the quoted texts use Latin-1 characters (two UTF-8 bytes each)
// and two more of Windows-1252: "˜" (0x98) and "Ÿ" (0x9F).
inline std::string Cp1252(std::string_view utf8) {
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        unsigned c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0xC0) c = (c & 0x1Fu) << 6 | (static_cast<unsigned char>(utf8[++i]) & 0x3Fu);
        bytes += static_cast<char>(c == 0x2DC ? 0x98 : c == 0x178 ? 0x9F : c);
    }
    return bytes;
}

}  // namespace quorvel::test
