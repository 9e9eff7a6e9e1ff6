#include "cp1252.h"

#include <array>
#include <optional>

namespace quorvel {
namespace {

// The characters that Windows-1252 places at 0x80..0x9F instead of the C1
// controls; the rest of 0xA0..0xFF is Latin-1 and maps to itself.
struct HighByte {
    char32_t codePoint;
    unsigned char byte;
};
constexpr std::array<HighByte, 27> kHighBytes = {{
    {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85}, {0x2020, 0x86},
    {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A}, {0x2039, 0x8B}, {0x0152, 0x8C},
    {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95},
    {0x2013, 0x96}, {0x2014, 0x97}, {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B},
    {0x0153, 0x9C}, {0x017E, 0x9E}, {0x0178, 0x9F},
}};

char ToWindows1252(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<char>(static_cast<unsigned char>(codePoint));
    }
    for (const HighByte& high : kHighBytes) {
        if (high.codePoint == codePoint) return static_cast<char>(high.byte);
    }
    return kUnrepresentable;
}

struct Decoded {
    char32_t codePoint;
    std::size_t length;
};

// Decodes the sequence at text[at], or nothing when it is not well formed
// (a stray or truncated sequence, an overlong form, a surrogate, or a value
// beyond U+10FFFF).
std::optional<Decoded> DecodeAt(const std::string& text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    char32_t codePoint = 0;
    char32_t smallest = 0;
    if (lead < 0x80) return Decoded{lead, 1};
    if ((lead & 0xE0) == 0xC0) {
        length = 2, codePoint = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, codePoint = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, codePoint = lead & 0x07, smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (at + length > text.size()) return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < smallest || surrogate || codePoint > 0x10FFFF) return std::nullopt;
    return Decoded{codePoint, length};
}

}  // namespace

std::string Utf8ToWindows1252(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const std::optional<Decoded> decoded = DecodeAt(utf8, at);
        if (!decoded) {
            out.push_back(kUnrepresentable);
            ++at;
            continue;
        }
        out.push_back(ToWindows1252(decoded->codePoint));
        at += decoded->length;
    }
    return out;
}

}  // namespace quorvel
