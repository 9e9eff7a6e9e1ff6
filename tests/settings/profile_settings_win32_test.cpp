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

TEST_F(ProfileSettingsTest, TheFileLivesInTheProgramFolder) {
    const std::string path = ProfileSettings::FilePath();
    EXPECT_EQ(path, test::ProgramFilePath("quorvel.ini"));
    EXPECT_EQ(path.find("\\\\"), std::string::npos);
}

TEST_F(ProfileSettingsTest, MissingFileReadsAsEmpty) {
    EXPECT_EQ(ReadSetting(kSettingsSection, kLanguageIdKey), "");
    EXPECT_EQ(ReadSetting(kSettingsSection, kProxyPortKey), "");
    EXPECT_EQ(GetFileAttributesA(ProfileSettings::FilePath().c_str()), INVALID_FILE_ATTRIBUTES)
        << "reading must not create the file";
}

TEST_F(ProfileSettingsTest, WriteThenReadRoundTrips) {
    WriteSetting(kSettingsSection, kLanguageIdKey, "0");
    WriteSetting(kSettingsSection, kProxyAddressKey, "proxy.example.net");
    WriteSetting(kSettingsSection, kProxyPortKey, "");
    EXPECT_EQ(ReadSetting(kSettingsSection, kLanguageIdKey), "0");
    EXPECT_EQ(ReadSetting(kSettingsSection, kProxyAddressKey), "proxy.example.net");
    EXPECT_EQ(ReadSetting(kSettingsSection, kProxyPortKey), "");
    WriteSetting(kSettingsSection, kLanguageIdKey, "1");
    EXPECT_EQ(ReadSetting(kSettingsSection, kLanguageIdKey), "1");
    EXPECT_EQ(ReadSetting(kSettingsSection, "NoSuchKey"), "");
    EXPECT_EQ(ReadSetting("NoSuchSection", kLanguageIdKey), "");
}

TEST_F(ProfileSettingsTest, ALongValueReadsBackAsItsFirst254Characters) {
    std::string value;
    for (int i = 0; i < 300; ++i) value.push_back(static_cast<char>('a' + i % 26));
    WriteSetting(kSettingsSection, kProxyAddressKey, value);
    const std::string read = ReadSetting(kSettingsSection, kProxyAddressKey);
    EXPECT_EQ(read.size(), 254u);
    EXPECT_EQ(read, value.substr(0, 254));
}

TEST_F(ProfileSettingsTest, EightBitValuesKeepTheirBytes) {
    const std::string value = "Ti\xD5ng Vi\xD6t \x98\xE2ng";
    WriteSetting(kSettingsSection, kProxyAddressKey, value);
    EXPECT_EQ(ReadSetting(kSettingsSection, kProxyAddressKey), value);
}

}  // namespace
}  // namespace quorvel
