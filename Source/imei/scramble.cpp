#include "imei/scramble.h"

#include <algorithm>

namespace quorvel {
namespace {

constexpr int kFirstPrintable = 32;
constexpr int kLastPrintable = 126;
constexpr int kPrintableCount = kLastPrintable - kFirstPrintable + 1;  // 95
constexpr std::uint64_t kShiftRange = 96;

// The 32-bit finaliser of MurmurHash3: every input bit reaches every
// output bit.
std::uint32_t Mix(std::uint32_t value) {
    value ^= value >> 16;
    value *= 0x85EBCA6Bu;
    value ^= value >> 13;
    value *= 0xC2B2AE35u;
    value ^= value >> 16;
    return value;
}

bool IsPrintable(int code) { return code >= kFirstPrintable && code <= kLastPrintable; }

// Walks text with a freshly seeded generator, writing shift(code, r) for
// every printable character and dropping the others.
template <typename ShiftFunction>
std::string Transform(const std::string& key, const std::string& text, ShiftFunction shift) {
    ScrambleGenerator generator;
    generator.Reset(-1);
    generator.Seed(KeyHash(key));
    std::string result;
    result.reserve(text.size());
    for (char character : text) {
        const int code = static_cast<unsigned char>(character);
        if (!IsPrintable(code)) continue;
        const int r = generator.NextShift();
        result.push_back(static_cast<char>(shift(code - kFirstPrintable, r) + kFirstPrintable));
    }
    return result;
}

}  // namespace

void ScrambleGenerator::Reset(std::int32_t argument) {
    state_ = Mix(static_cast<std::uint32_t>(argument));
}

void ScrambleGenerator::Seed(std::int32_t seed) {
    state_ = Mix(state_ ^ static_cast<std::uint32_t>(seed));
}

std::uint32_t ScrambleGenerator::Next() {
    state_ += 0x9E3779B9u;
    return Mix(state_);
}

int ScrambleGenerator::NextShift() {
    return static_cast<int>((static_cast<std::uint64_t>(Next()) * kShiftRange) >> 32);
}

bool IsPrintableText(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return IsPrintable(static_cast<unsigned char>(c)); });
}

std::int32_t KeyHash(const std::string& key) {
    std::uint32_t a = 0;
    std::uint32_t b = 0;
    std::uint32_t hash = 0;
    for (char character : key) {
        const std::uint32_t code = static_cast<unsigned char>(character);
        a = (a + 7) % 19;
        b = (b + 13) % 23;
        // code < 2^8 and b < 23: both products stay below 2^31.
        hash ^= (code << a) ^ (code << b);
    }
    return static_cast<std::int32_t>(hash);
}

std::string ScrambleText(const std::string& key, const std::string& plain) {
    return Transform(key, plain, [](int offset, int r) { return (offset + r) % kPrintableCount; });
}

std::string UnscrambleText(const std::string& key, const std::string& scrambled) {
    return Transform(key, scrambled, [](int offset, int r) {
        int value = (offset - r) % kPrintableCount;
        if (value < 0) value += kPrintableCount;
        return value;
    });
}

}  // namespace quorvel
