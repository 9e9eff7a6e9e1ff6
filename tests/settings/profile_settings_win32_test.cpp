#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "settings/profile_settings_win32.h"
#include "support/win32_test_support.h"

namespace quorvel {
namespace {

class ProfileSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { test::DeleteProgramFile(kSettingsFileName); }
    void TearDown() override { test::DeleteProgramFile(kSettingsFileName); }
};

TEST_F(ProfileSettingsTest, ReadingAMissingFileGivesEmptyValuesAndMakesNoFile) {
    EXPECT_EQ(ProfileSettings::FilePath(), test::ProgramFilePath("quorvel.ini"));
    EXPECT_EQ(ReadSetting(kSettingsSection, kLanguageIdKey), "");
    EXPECT_EQ(GetFileAttributesA(ProfileSettings::FilePath().c_str()), INVALID_FILE_ATTRIBUTES);
}

// A value reads back as written, 8-bit bytes and all, up to 254 characters.
TEST_F(ProfileSettingsTest, ValuesReadBackAsWrittenUpTo254Characters) {
    std::string longValue;
    for (int i = 0; i < 300; ++i) longValue.push_back(static_cast<char>('a' + i % 26));
    const std::pair<std::string, std::string> cases[] = {
        {"0", "0"},
        {"Ti\xD5ng Vi\xD6t \x98\xE2ng", "Ti\xD5ng Vi\xD6t \x98\xE2ng"},
        {"", ""},
        {longValue, longValue.substr(0, 254)},
    };
    for (const auto& [written, read] : cases) {
        WriteSetting(kSettingsSection, kProxyAddressKey, written);
        EXPECT_EQ(ReadSetting(kSettingsSection, kProxyAddressKey), read);
    }
    EXPECT_EQ(ReadSetting(kSettingsSection, kProxyPortKey), "");
    EXPECT_EQ(ReadSetting("NoSuchSection", kProxyAddressKey), "");
}

}  // namespace
}  // namespace quorvel
