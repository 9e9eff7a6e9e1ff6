// The handset sources of quorvel-cli: the built-in records are read once
// into a hash table, so that each search is a probe instead of a pass over
// the records; the user file is searched line by line, as the program does.
#pragma once

#include <istream>
#include <memory>
#include <string>
#include <unordered_map>

#include "imei/handset_database.h"

namespace quorvel {

class HandsetIndex : public HandsetSources {
public:
    // userFile: the user file opened for reading, or nullptr when it cannot
    // be read.
    HandsetIndex(const std::string& records, std::unique_ptr<std::istream> userFile);

    // What SearchBuiltInRecords(records, tac) gives.
    SourceAnswer SearchBuiltIn(const std::string& tac) override;
    // SearchUserLines over the user file from its start.
    SourceAnswer SearchUserFile(const std::string& tac) override;

    bool HasUserFile() const { return userFile_ != nullptr; }

private:
    std::unordered_map<std::string, std::string> builtIn_;  // key -> fields of its first record
    std::unique_ptr<std::istream> userFile_;
};

}  // namespace quorvel
