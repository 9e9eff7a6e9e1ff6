// Implements the handset sources port with the module's resources and the
// C runtime's file functions (whose narrow paths are in the ANSI code page).
#include "imei/handset_sources_win32.h"

#include <windows.h>

#include "settings/profile_settings_win32.h"
#include "settings/settings_store.h"

namespace quorvel {

std::optional<std::string_view> ProgramHandsetSources::BuiltInRecords() {
    // A resource belongs to its module and is never freed by hand.
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(kBuiltInRecordsResourceId),
                               kBuiltInRecordsResourceType);
    if (!info) return std::nullopt;
    HGLOBAL loaded = LoadResource(module, info);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return std::nullopt;
    // Viewed, not copied: a lookup costs one pass over the bytes.
    return std::string_view(static_cast<const char*>(bytes), SizeofResource(module, info));
}

SourceAnswer ProgramHandsetSources::SearchBuiltIn(const std::string& tac) {
    const std::optional<std::string_view> records = BuiltInRecords();
    return records ? SearchBuiltInRecords(*records, tac) : SourceAnswer();
}

SourceAnswer ProgramHandsetSources::SearchUserFile(const std::string& tac) {
    return SearchUserFileAt(UserFilePath(), tac);
}

std::string ProgramHandsetSources::UserFilePath() {
    return AddBackslash(ProgramFolder()) + kUserDatabaseFileName;
}

}  // namespace quorvel
