// The answers of LookupTac over a set of sources, read once: the built-in
// records and the user file are scanned when the index is made, so that
// each lookup afterwards is a hash-table probe instead of a linear search.
#pragma once

#include <string>
#include <unordered_map>

#include "imei/handset_database.h"

namespace quorvel {

class HandsetIndex {
public:
    explicit HandsetIndex(HandsetSources& sources);

    // What LookupTac(tac, sources) gives, as the sources were when the
    // index was made.
    const std::string& Lookup(const std::string& tac) const;

    bool HasUserFile() const { return hasUserFile_; }

private:
    std::unordered_map<std::string, std::string> builtIn_;  // TAC -> result
    std::unordered_map<std::string, std::string> user_;     // first six bytes -> result
    bool hasUserFile_ = false;
};

}  // namespace quorvel
