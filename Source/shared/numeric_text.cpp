#include "shared/numeric_text.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace quorvel {
namespace {

bool IsIgnoredBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// The text without the blanks that the numeric scan ignores.
std::string WithoutBlanks(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (!IsIgnoredBlank(c)) out.push_back(c);
    }
    return out;
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

// Digits of the given radix after "&H" or "&O", as a 32-bit pattern.
double RadixValue(const std::string& s, std::size_t pos, int radix) {
    std::uint32_t bits = 0;
    for (; pos < s.size() && DigitValue(s[pos]) < radix; ++pos) {
        bits = bits * static_cast<std::uint32_t>(radix) +
               static_cast<std::uint32_t>(DigitValue(s[pos]));
    }
    // Two's complement without relying on implementation-defined conversion.
    return bits >= 0x80000000u ? static_cast<double>(bits) - 4294967296.0
                               : static_cast<double>(bits);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

double NumericValue(const std::string& text) {
    const std::string s = WithoutBlanks(text);
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h') return RadixValue(s, 2, 16);
        if (s[1] == 'O' || s[1] == 'o') return RadixValue(s, 2, 8);
        return 0.0;
    }
    // Collect the longest prefix that forms a decimal number, then let the
    // C library convert exactly that prefix.
    std::size_t pos = 0;
    std::string number;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) number.push_back(s[pos++]);
    bool anyDigit = false;
    while (pos < s.size() && IsDigit(s[pos])) {
        number.push_back(s[pos++]);
        anyDigit = true;
    }
    if (pos < s.size() && s[pos] == '.') {
        number.push_back(s[pos++]);
        while (pos < s.size() && IsDigit(s[pos])) {
            number.push_back(s[pos++]);
            anyDigit = true;
        }
    }
    if (!anyDigit) return 0.0;
    if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E' || s[pos] == 'd' || s[pos] == 'D')) {
        std::size_t expPos = pos + 1;
        std::string exponent = "e";
        if (expPos < s.size() && (s[expPos] == '+' || s[expPos] == '-'))
            exponent.push_back(s[expPos++]);
        if (expPos < s.size() && IsDigit(s[expPos])) {
            while (expPos < s.size() && IsDigit(s[expPos])) exponent.push_back(s[expPos++]);
            number += exponent;
        }
    }
    // strtod on a string made only of [sign] digits [. digits] [e [sign] digits]
    // is locale-safe apart from the decimal point, which "C" programs keep as ".".
    return std::strtod(number.c_str(), nullptr);
}

std::int32_t RoundToInt32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(std::nearbyint(value));  // default mode: halves to even
}

std::int32_t IntegerValue(const std::string& text) { return RoundToInt32(NumericValue(text)); }

}  // namespace quorvel
