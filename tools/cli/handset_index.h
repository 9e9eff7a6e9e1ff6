// The handset sources of quorvel-cli: the built-in records are read once
// into a hash table, so that each search is a probe instead of a pass over
// the records; the user file is searched line by line, as the program does.
#pragma once

#include <istream>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "cli/tac_slot_table.h"
#include "imei/handset_database.h"

namespace quorvel {

class HandsetIndex : public HandsetSources {
public:
    // userFile: the user file opened for reading, or nullptr when it cannot
    // be read.
    HandsetIndex(const std::string& records, std::unique_ptr<std::istream> userFile);

    // What SearchBuiltInRecords(records, tac) gives.
    std::optional<std::string> SearchBuiltIn(const std::string& tac) override;
    // SearchUserLines over the user file from its start.
    std::optional<std::string> SearchUserFile(const std::string& tac) override;

    bool HasUserFile() const { return userFile_ != nullptr; }

private:
    std::uint32_t Slot(const std::string& key) const;
    // The fields of a slot's record, unscrambled when first asked for: most
    // records are never asked for, and unscrambling them all would cost
    // more than a short run.
    const std::string& Fields(std::uint32_t slot);

    // The fields of the first record of each key: keys of digits in a flat
    // table (a probe per search), any others in a map.
    std::vector<std::string> fields_;  // scrambled until unscrambled_
    std::vector<bool> unscrambled_;
    TacSlotTable digitKeys_;
    std::unordered_map<std::string, std::uint32_t> otherKeys_;
    // The six-digit prefixes of the keys of digits: most TACs of no record
    // are turned away here, by one bit that stays in the cache.
    std::vector<bool> knownPrefixes_ = std::vector<bool>(1000000);
    std::unique_ptr<std::istream> userFile_;
};

}  // namespace quorvel
