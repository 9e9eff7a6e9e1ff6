#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "options/options_texts.h"
#include "support/fake_settings.h"
#include "ui/captions.h"

namespace quorvel {
namespace {

TEST(LanguageRule, OnlyExactlyZeroIsVietnamese) {
    EXPECT_EQ(LanguageFromSetting("0"), Language::Vietnamese);
    for (const char* other : {"", "1", "2", "00", " 0", "0 ", "en", "&H0"}) {
        EXPECT_EQ(LanguageFromSetting(other), Language::English)
            << "LanguageID \"" << other << "\"";
    }
}

TEST(LanguageRule, ReadsTheSettingAnewEachTime) {
    test::FakeSettings settings;
    EXPECT_EQ(CurrentLanguage(settings), Language::English);
    settings.Set(kLanguageIdKey, "0");
    EXPECT_EQ(CurrentLanguage(settings), Language::Vietnamese);
    settings.Set(kLanguageIdKey, "1");
    EXPECT_EQ(CurrentLanguage(settings), Language::English);
    EXPECT_EQ(settings.reads, 3);
}

// Every caption of both windows in both languages, as the display font's codes.
TEST(Captions, EveryCaptionInBothLanguages) {
    struct Row {
        const char* vietnamese;
        const char* english;
    };
    const Row mainRows[] = {
        {"&Nh\xCBp v\xAAo s\xE7 IMEI:", "&Enter the IMEI number:"},
        {"B\xC1n c\xE2 th\xD3 xem s\xE7 IMEI b\xC2ng c\xC0"
         "ch b\xCAm *#06# t\xF4 m\xAAn h\xD8nh ch\xE9 c\xEF"
         "a m\xC0y \xA2i\xD6n tho\xC1i di \xA2"
         "\xE8ng. S\xE7 IMEI c\xF1ng th\xA7"
         "\xE9ng \xA2"
         "\xA7"
         "\xED"
         "c in \xEA ph\xDB"
         "a sau th\xA1n m\xC0y.",
         "You can get the IMEI by typing *#06# from the standby screen. It is also usually "
         "printed on the compliance plate under the battery."},
        {"&Ph\xA1n t\xDB"
         "ch",
         "&Analyze"},
        {"&L\xA7u", "&Save"},
        {"&Xo\xC0", "&Clear"},
        {"&Tu\xF9 ch\xE3n...", "&Options..."},
    };
    const Row optionsRows[] = {
        {"&Language / Ng\xA4n ng\xF6:", "Ng\xA4n ng\xF6 / &Language:"},
        {"L\xCAy th\xA4ng tin tr\xF8"
         "c tuy\xD5n c\xEF"
         "a IMEI t\xF4 Intern&et",
         "Get online IMEI data from the Intern&et"},
        {"Th\xA3&m IMEI c\xDFn thi\xD5u v\xAAo c\xA5 s\xEA d\xF6 li\xD6u c\xEF"
         "a ch\xA7"
         "\xA5ng tr\xD8nh",
         "Add &missing IMEI data to the local database"},
        {"\x98"
         "\xE2ng",
         "OK"},
        {"Tho\xC0t", "Cancel"},
        {"\x98"
         "\xE4&ng \xFC",
         "&Apply"},
        {"K\xD5t n\xE7i Internet", "Internet connection"},
        {"K\xD5t n\xE7i th\xA4ng qua proxy", "Connect to the Internet using a proxy server"},
        {"\x98"
         "\xDC"
         "a ch\xD9:",
         "Address:"},
        {"C\xE5ng:", "Port:"},
        {"Tu\xF9 ch\xE3n", "Options"},
    };
    for (Language language : {Language::Vietnamese, Language::English}) {
        const bool vi = language == Language::Vietnamese;
        const MainCaptions& m = MainCaptionsFor(language);
        const OptionsCaptions& o = OptionsCaptionsFor(language);
        const std::vector<const char*> shown = {
            m.enterImeiLabel,  m.imeiTipLabel,   m.analyzeButton,
            m.saveButton,      m.clearButton,    m.optionsButton,
            o.languageLabel,   o.getOnlineCheck, o.addMissingCheck,
            o.okButton,        o.cancelButton,   o.applyButton,
            o.connectionFrame, o.useProxyCheck,  o.proxyAddressLabel,
            o.proxyPortLabel,  o.title};
        std::vector<const Row*> rows;
        for (const Row& row : mainRows) rows.push_back(&row);
        for (const Row& row : optionsRows) rows.push_back(&row);
        ASSERT_EQ(shown.size(), rows.size());
        for (std::size_t k = 0; k < rows.size(); ++k) {
            EXPECT_EQ(std::string(shown[k]), vi ? rows[k]->vietnamese : rows[k]->english) << k;
        }
    }
    EXPECT_EQ(std::string(kVietnameseEntry), "Ti\xD5ng Vi\xD6t");
}

}  // namespace
}  // namespace quorvel
