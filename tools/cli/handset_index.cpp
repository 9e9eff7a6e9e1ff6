#include "cli/handset_index.h"

#include <utility>

#include "imei/scramble.h"

namespace quorvel {

HandsetIndex::HandsetIndex(const std::string& records, std::unique_ptr<std::istream> userFile)
    : userFile_(std::move(userFile)) {
    // A key counts only where a record starts: at the first byte and after
    // each 0xA4. Unscrambling a printable key gives the one TAC that
    // scrambles to it.
    for (std::size_t start = 0;;) {
        const std::optional<BuiltInRecord> record = BuiltInRecordAt(records, start);
        const std::string key =
            record ? UnscrambleText(kTacKey, std::string(record->scrambledKey)) : std::string();
        if (record && Slot(key) == 0) {
            fields_.emplace_back(record->scrambledBody);
            unscrambled_.push_back(false);
            const auto slot = static_cast<std::uint32_t>(fields_.size());
            if (const std::optional<std::uint32_t> digits = DigitKey(key)) {
                digitKeys_.Insert(*digits, slot);
                knownPrefixes_[*digits / 100] = true;
            } else {
                otherKeys_.emplace(key, slot);
            }
        }
        const std::size_t marker = records.find(kBodyMarker, start);
        if (marker == std::string::npos) break;
        start = marker + 1;
    }
}

std::uint32_t HandsetIndex::Slot(const std::string& key) const {
    if (const std::optional<std::uint32_t> digits = DigitKey(key)) return digitKeys_.Find(*digits);
    const auto found = otherKeys_.find(key);
    return found == otherKeys_.end() ? 0 : found->second;
}

std::optional<std::string> HandsetIndex::SearchBuiltIn(const std::string& tac) {
    // The number of a TAC over 100 is its prefix's.
    const std::optional<std::uint32_t> key = DigitKey(tac);
    if (key && !knownPrefixes_[*key / 100]) return std::nullopt;
    const std::uint32_t slot = Slot(tac);
    if (slot == 0) return std::nullopt;
    return Fields(slot);
}

const std::string& HandsetIndex::Fields(std::uint32_t slot) {
    std::string& fields = fields_[slot - 1];
    if (!unscrambled_[slot - 1]) {
        fields = UnscrambleText(kBodyKey, fields);
        unscrambled_[slot - 1] = true;
    }
    return fields;
}

std::optional<std::string> HandsetIndex::SearchUserFile(const std::string& tac) {
    if (!userFile_) return std::nullopt;
    userFile_->clear();
    userFile_->seekg(0);
    return SearchUserLines(
        [this](char* buffer, std::size_t size) {
            userFile_->read(buffer, static_cast<std::streamsize>(size));
            return static_cast<std::size_t>(userFile_->gcount());
        },
        tac);
}

}  // namespace quorvel
