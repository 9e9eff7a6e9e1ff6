// The handsets that the analysis service knows, by their eight-digit TAC.
#pragma once

#include <string>
#include <unordered_map>

#include "tacdb_csv.h"

namespace quorvel {

// A handset as the analysis page shows it: Windows-1252 texts; an empty
// text is a value the data does not hold.
struct Handset {
    std::string manufacturer;
    std::string modelType;
    std::string reference;  // the first of the model's other names
};

class HandsetDirectory {
public:
    HandsetDirectory() = default;
    // When a TAC occurs more than once, its first record is kept.
    explicit HandsetDirectory(const TacDatabase& database);

    // The handset whose TAC is the first eight digits of imei, or null.
    const Handset* Find(const std::string& imei) const;
    std::size_t size() const { return byTac_.size(); }

private:
    std::unordered_map<std::string, Handset> byTac_;
};

}  // namespace quorvel
