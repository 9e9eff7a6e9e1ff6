// Scrambling of the built-in handset records: a key is hashed into a seed,
// and a deterministic generator seeded with it shifts every printable
// character. The generator is fully defined here with fixed-width integers,
// so the native records builder and the 32-bit Windows reader draw the same
// sequence.
#pragma once

#include <cstdint>
#include <string>

namespace quorvel {

// The generator behind ScrambleText and UnscrambleText: a 32-bit counter
// stepped by the golden-ratio constant and mixed by a finaliser. Its values
// x lie in [0, 1), each given as its numerator over 2^32.
class ScrambleGenerator {
public:
    // Starts the sequence named by argument (the scrambling always resets
    // with -1 before it seeds).
    void Reset(std::int32_t argument);
    // Mixes seed into the current state.
    void Seed(std::int32_t seed);
    // The next value x, as x * 2^32.
    std::uint32_t Next();
    // floor(x * 96) of the next value x: a shift from 0 to 95.
    int NextShift();

private:
    std::uint32_t state_ = 0;
};

// True when every character has a code from 32 to 126, so that scrambling
// keeps the text whole.
bool IsPrintableText(const std::string& text);

// Hashes the 8-bit codes of key into a seed; the empty key gives 0.
std::int32_t KeyHash(const std::string& key);

// Shifts every character of plain with a code from 32 to 126 by the next
// generator value, (c - 32 + r) mod 95 + 32; other characters are dropped.
// The generator restarts on every call, so the same key and text always
// give the same result.
std::string ScrambleText(const std::string& key, const std::string& plain);

// The inverse of ScrambleText for printable text.
std::string UnscrambleText(const std::string& key, const std::string& scrambled);

}  // namespace quorvel
