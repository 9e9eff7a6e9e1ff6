#include "text_encoding.h"

#include <algorithm>
#include <array>

#include "shared/text.h"

namespace quorvel {
namespace {

// Code points of the bytes 0x80 to 0x9F; the undefined ones map to themselves.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The length of the valid UTF-8 sequence at text[at], or 0 when there is none.
std::size_t SequenceLength(const std::string& text, std::size_t at, char32_t& codePoint) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, codePoint = lead & 0x1Fu, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, codePoint = lead & 0x0Fu, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, codePoint = lead & 0x07u, minimum = 0x10000;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0u) != 0x80u) return 0;
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < minimum || codePoint > 0x10FFFF || surrogate) return 0;
    return length;
}

}  // namespace

char32_t Cp1252CodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80u];
    return byte;
}

std::u32string DecodeUtf8(const std::string& text) {
    std::u32string codePoints;
    codePoints.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        char32_t codePoint = 0;
        const std::size_t length = SequenceLength(text, at, codePoint);
        if (length == 0) {
            codePoints.push_back(Cp1252CodePoint(static_cast<unsigned char>(text[at])));
            ++at;
        } else {
            codePoints.push_back(codePoint);
            at += length;
        }
    }
    return codePoints;
}

std::string EncodeUtf8(const std::u32string& codePoints) {
    std::string text;
    text.reserve(codePoints.size());
    for (char32_t c : codePoints) {
        if (c < 0x80) {
            text.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            text.push_back(static_cast<char>(0xC0 | (c >> 6)));
            text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            text.push_back(static_cast<char>(0xE0 | (c >> 12)));
            text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            text.push_back(static_cast<char>(0xF0 | (c >> 18)));
            text.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return text;
}

std::string Cp1252ToUtf8(const std::string& text) {
    if (IsAscii(text)) return text;
    std::u32string codePoints;
    codePoints.reserve(text.size());
    for (char c : text) codePoints.push_back(Cp1252CodePoint(static_cast<unsigned char>(c)));
    return EncodeUtf8(codePoints);
}

std::string Utf8ToCp1252(const std::string& text) {
    if (IsAscii(text)) return text;
    std::string result;
    for (char32_t c : DecodeUtf8(text)) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            result.push_back(static_cast<char>(c));
            continue;
        }
        const auto* found = std::find(kHighControls.begin(), kHighControls.end(), c);
        result.push_back(found == kHighControls.end()
                             ? '?'
                             : static_cast<char>(0x80 + (found - kHighControls.begin())));
    }
    return result;
}

std::string WithoutControls(std::string text) {
    for (char& c : text) {
        const char32_t codePoint = Cp1252CodePoint(static_cast<unsigned char>(c));
        if (IsAsciiControl(c) || (codePoint >= 0x80 && codePoint <= 0x9F)) c = '?';
    }
    return text;
}

}  // namespace quorvel
