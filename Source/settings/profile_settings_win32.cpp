// Implements the settings store port with GetPrivateProfileStringA and
// WritePrivateProfileStringA.
#include "settings/profile_settings_win32.h"

#include <windows.h>

#include "shared/program_folder_win32.h"
#include "shared/text.h"

namespace quorvel {

std::string ProfileSettings::FilePath() {
    return AddBackslash(ProgramFolder()) + kSettingsFileName;
}

std::string ProfileSettings::ReadSetting(const std::string& section, const std::string& key) {
    char buffer[kMaxSettingLength + 1] = {};
    DWORD copied = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer,
                                            FilePath().c_str());
    return std::string(buffer, copied);
}

void ProfileSettings::WriteSetting(const std::string& section, const std::string& key,
                                   const std::string& value) {
    WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), FilePath().c_str());
}

SettingsStore& ProgramSettings() {
    static ProfileSettings settings;
    return settings;
}

std::string ReadSetting(const std::string& section, const std::string& key) {
    return ProgramSettings().ReadSetting(section, key);
}

void WriteSetting(const std::string& section, const std::string& key, const std::string& value) {
    ProgramSettings().WriteSetting(section, key, value);
}

}  // namespace quorvel
