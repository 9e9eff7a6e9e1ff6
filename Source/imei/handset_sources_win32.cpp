// Implements the handset sources port with the module's resources and the
// C runtime's file functions (whose narrow paths are in the ANSI code page).
#include "imei/handset_sources_win32.h"

#include <windows.h>

#include "shared/data_resource_win32.h"
#include "shared/program_folder_win32.h"
#include "shared/text.h"

namespace quorvel {

std::optional<std::string_view> ProgramHandsetSources::BuiltInRecords() {
    // Viewed, not copied: a lookup costs one pass over the bytes.
    return DataResourceBytes(GetModuleHandleA(nullptr), kBuiltInRecordsResourceId);
}

std::optional<std::string> ProgramHandsetSources::SearchBuiltIn(const std::string& tac) {
    const std::optional<std::string_view> records = BuiltInRecords();
    return records ? SearchBuiltInRecords(*records, tac) : std::nullopt;
}

std::optional<std::string> ProgramHandsetSources::SearchUserFile(const std::string& tac) {
    return SearchUserFileAt(UserFilePath(), tac);
}

std::string ProgramHandsetSources::UserFilePath() {
    return AddBackslash(ProgramFolder()) + kUserDatabaseFileName;
}

}  // namespace quorvel
