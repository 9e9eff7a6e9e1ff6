// The settings store over the platform's profile-file functions, with
// "quorvel.ini" in the program folder (the folder of the running .exe).
#pragma once

#include <string>

#include "settings/settings_store.h"

namespace quorvel {

class ProfileSettings : public SettingsStore {
public:
    std::string ReadSetting(const std::string& section, const std::string& key) override;
    void WriteSetting(const std::string& section, const std::string& key,
                      const std::string& value) override;
    // AddBackslash(ProgramFolder()) + "quorvel.ini"
    static std::string FilePath();
};

// The program's one settings store.
SettingsStore& ProgramSettings();

// The program-wide read and write operations, over ProgramSettings().
std::string ReadSetting(const std::string& section, const std::string& key);
void WriteSetting(const std::string& section, const std::string& key, const std::string& value);

}  // namespace quorvel
