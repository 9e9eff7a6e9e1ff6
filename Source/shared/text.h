// Small byte-text helpers used across the program and its tools. Texts are
// 8-bit; only the ASCII letters have a case here, every other byte is kept.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The line end of every file and multi-line text the program writes.
inline constexpr const char* kCrLf = "\r\n";

// text without the given blanks (spaces unless told) at either end.
std::string TrimSpaces(std::string_view text, std::string_view blanks = " ");

constexpr bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
// Whether text is not empty and holds only the digits 0 to 9. Inline:
// quorvel-cli asks it for every line.
inline bool IsAsciiDigits(std::string_view text) {
    for (char c : text) {
        if (!IsAsciiDigit(c)) return false;
    }
    return !text.empty();
}

// The ASCII control characters: the bytes below 0x20 (CR, LF and TAB among
// them) and 0x7F.
bool IsAsciiControl(char c);

char AsciiLower(char c);
char AsciiUpper(char c);
std::string AsciiLower(std::string_view text);
std::string AsciiUpper(std::string_view text);

// The parts of text between the occurrences of separator (not empty); the
// empty text is one empty part.
std::vector<std::string> SplitText(const std::string& text, const std::string& separator);

// The path unchanged when it ends in "\", otherwise the path followed by "\".
std::string AddBackslash(const std::string& path);

}  // namespace quorvel
