// Implements the handset sources port with the module's resources and the
// C runtime's file functions (whose narrow paths are in the ANSI code page).
#include "imei/handset_sources_win32.h"

#include <windows.h>

#include "settings/profile_settings_win32.h"
#include "settings/settings_store.h"

namespace quorvel {

std::optional<std::string> ProgramHandsetSources::BuiltInRecords() {
    // A resource belongs to its module and is never freed by hand.
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(kBuiltInRecordsResourceId),
                               kBuiltInRecordsResourceType);
    if (!info) return std::nullopt;
    HGLOBAL loaded = LoadResource(module, info);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return std::nullopt;
    return std::string(static_cast<const char*>(bytes), SizeofResource(module, info));
}

std::optional<std::string> ProgramHandsetSources::UserFile() {
    return ReadFileBytes(UserFilePath());
}

std::string ProgramHandsetSources::UserFilePath() {
    return AddBackslash(ProgramFolder()) + kUserDatabaseFileName;
}

}  // namespace quorvel
