// The handset database sources of the running program: the built-in records
// from its own resources and "quorvel.dat" in its folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "imei/handset_database.h"

namespace quorvel {

class ProgramHandsetSources : public HandsetSources {
public:
    // Searches resource 12341 of type "DATA" of the running module.
    std::optional<std::string> SearchBuiltIn(const std::string& tac) override;
    // Searches AddBackslash(ProgramFolder()) + "quorvel.dat".
    std::optional<std::string> SearchUserFile(const std::string& tac) override;
    static std::string UserFilePath();
    // The resource's bytes, where the module keeps them; nullopt when it
    // cannot be found.
    static std::optional<std::string_view> BuiltInRecords();
};

}  // namespace quorvel
