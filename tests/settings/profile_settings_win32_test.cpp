#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "settings/profile_settings_win32.h"
#include "support/win32_test_support.h"

namespace quorvel {

// quorvel.ini in the program folder: reading a missing file gives empty
// values and makes no file; a value reads back as written, 8-bit bytes and
// all, up to 254 characters.
TEST(ProfileSettings, ValuesReadBackAsWrittenUpTo254Characters) {
    test::DeleteProgramFile(kSettingsFileName);
    EXPECT_EQ(ReadSetting(kSettingsSection, kProxyAddressKey), "");
    EXPECT_EQ(GetFileAttributesA(test::ProgramFilePath("quorvel.ini").c_str()),
              INVALID_FILE_ATTRIBUTES);
    const std::string longValue = std::string(254, 'a') + "b";
    const std::pair<std::string, std::string> cases[] = {
        {"Ti\xD5ng Vi\xD6t \x98\xE2ng", "Ti\xD5ng Vi\xD6t \x98\xE2ng"},
        {"", ""},
        {longValue, longValue.substr(0, 254)},
    };
    for (const auto& [written, read] : cases) {
        WriteSetting(kSettingsSection, kProxyAddressKey, written);
        EXPECT_EQ(ReadSetting(kSettingsSection, kProxyAddressKey), read);
    }
    EXPECT_NE(GetFileAttributesA(test::ProgramFilePath("quorvel.ini").c_str()),
              INVALID_FILE_ATTRIBUTES);
    test::DeleteProgramFile(kSettingsFileName);
}

}  // namespace quorvel
