// The handset database sources of the running program: the built-in records
// from its own resources and "quorvel.dat" in its folder.
#pragma once

#include <optional>
#include <string>

#include "imei/handset_database.h"

namespace quorvel {

class ProgramHandsetSources : public HandsetSources {
public:
    // Resource 12341 of type "DATA" of the running module, as bytes.
    std::optional<std::string> BuiltInRecords() override;
    // The bytes of AddBackslash(ProgramFolder()) + "quorvel.dat".
    std::optional<std::string> UserFile() override;
    static std::string UserFilePath();
};

}  // namespace quorvel
