// A table from a number (the digits of a TAC) to a slot, open-addressed in
// one flat array of key and slot pairs: a look-up costs one probe where a
// map of nodes costs a cache miss or two. quorvel-cli looks a TAC up once
// per row.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "imei/imei.h"
#include "shared/text.h"

namespace quorvel {

// The number that a text of digits writes.
inline std::uint32_t DigitsNumber(std::string_view digits) {
    std::uint32_t number = 0;
    for (char c : digits) number = number * 10 + static_cast<std::uint32_t>(c - '0');
    return number;
}

// The key of a TAC of eight digits, its number; nullopt for any other text.
inline std::optional<std::uint32_t> DigitKey(std::string_view text) {
    if (text.size() != kTacLength || !IsAsciiDigits(text)) return std::nullopt;
    return DigitsNumber(text);
}

class TacSlotTable {
public:
    // The slot of key, or 0 when it has none.
    std::uint32_t Find(std::uint32_t key) const {
        if (entries_.empty()) return 0;
        for (std::size_t at = Start(key);; at = (at + 1) & (entries_.size() - 1)) {
            const std::uint64_t entry = entries_[at];
            if (entry == 0) return 0;
            if (entry >> 32 == std::uint64_t{key} + 1) return static_cast<std::uint32_t>(entry);
        }
    }

    // Gives key the slot (not 0), unless it has one already.
    void Insert(std::uint32_t key, std::uint32_t slot) {
        if (4 * (used_ + 1) > 3 * entries_.size()) Grow();
        std::size_t at = Start(key);
        while (entries_[at] != 0) {
            if (entries_[at] >> 32 == std::uint64_t{key} + 1) return;
            at = (at + 1) & (entries_.size() - 1);
        }
        entries_[at] = (std::uint64_t{key} + 1) << 32 | slot;
        ++used_;
    }

private:
    // The top bits of the key times 2^32 / golden ratio: every bit of the
    // key reaches them, so the TACs' many keys that end alike spread out.
    std::size_t Start(std::uint32_t key) const {
        return static_cast<std::uint32_t>(key * 2654435769u) >> shift_;
    }

    void Grow() {
        std::vector<std::uint64_t> entries(entries_.empty() ? 1 << 12 : entries_.size() * 2, 0);
        entries.swap(entries_);
        shift_ = 32;
        for (std::size_t size = entries_.size(); size > 1; size >>= 1) --shift_;
        used_ = 0;
        for (std::uint64_t entry : entries) {
            if (entry != 0) {
                Insert(static_cast<std::uint32_t>((entry >> 32) - 1),
                       static_cast<std::uint32_t>(entry));
            }
        }
    }

    std::vector<std::uint64_t> entries_;  // (key + 1) << 32 | slot; 0 is free
    std::size_t used_ = 0;
    int shift_ = 32;  // 32 - log2 of the entries
};

}  // namespace quorvel
