#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/fake_settings.h"
#include "ui/captions.h"

namespace quorvel {
namespace {

std::vector<unsigned char> Bytes(const char* text) {
    std::string s(text);
    return std::vector<unsigned char>(s.begin(), s.end());
}

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

TEST(Captions, VietnameseTextsAreTheDisplayFontCodes) {
    const OptionsCaptions& vi = OptionsCaptionsFor(Language::Vietnamese);
    EXPECT_EQ(Bytes(vi.proxyPortLabel), (std::vector<unsigned char>{0x43, 0xE5, 0x6E, 0x67, 0x3A}));
    EXPECT_EQ(Bytes(vi.okButton), (std::vector<unsigned char>{0x98, 0xE2, 0x6E, 0x67}));
    EXPECT_EQ(Bytes(vi.title),
              (std::vector<unsigned char>{0x54, 0x75, 0xF9, 0x20, 0x63, 0x68, 0xE3, 0x6E}));
    EXPECT_EQ(Bytes(vi.applyButton),
              (std::vector<unsigned char>{0x98, 0xE4, '&', 'n', 'g', ' ', 0xFC}));
    EXPECT_EQ(Bytes(vi.proxyAddressLabel),
              (std::vector<unsigned char>{0x98, 0xDC, 'a', ' ', 'c', 'h', 0xD9, ':'}));

    const MainCaptions& main = MainCaptionsFor(Language::Vietnamese);
    EXPECT_EQ(Bytes(main.saveButton), (std::vector<unsigned char>{'&', 'L', 0xA7, 'u'}));
    EXPECT_EQ(Bytes(main.analyzeButton),
              (std::vector<unsigned char>{'&', 'P', 'h', 0xA1, 'n', ' ', 't', 0xDB, 'c', 'h'}));
    // The tip's run "th\xA7\xE9ng \xA2\xA7\xEDc" is where a hex escape could
    // swallow the letters after it.
    const std::string tip = main.imeiTipLabel;
    EXPECT_NE(tip.find("th\xA7\xE9ng \xA2\xA7\xED"
                       "c in"),
              std::string::npos);
    EXPECT_EQ(tip.size(), 135u);
    EXPECT_EQ(std::string(kVietnameseEntry), "Ti\xD5ng Vi\xD6t");
}

TEST(Captions, EnglishTextsArePlainAscii) {
    const MainCaptions& en = MainCaptionsFor(Language::English);
    const OptionsCaptions& opt = OptionsCaptionsFor(Language::English);
    for (const char* text :
         {en.enterImeiLabel, en.imeiTipLabel, en.analyzeButton, en.saveButton, en.clearButton,
          en.optionsButton, opt.getOnlineCheck, opt.addMissingCheck, opt.okButton, opt.cancelButton,
          opt.applyButton, opt.connectionFrame, opt.useProxyCheck, opt.proxyAddressLabel,
          opt.proxyPortLabel, opt.title}) {
        for (char c : std::string(text)) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << text;
    }
    EXPECT_STREQ(en.analyzeButton, "&Analyze");
    EXPECT_STREQ(en.optionsButton, "&Options...");
}

TEST(Captions, LanguageLabelNamesBothLanguagesWithAccessKeyOnLanguage) {
    EXPECT_STREQ(OptionsCaptionsFor(Language::English).languageLabel,
                 "Ng\xA4n ng\xF6 / &Language:");
    EXPECT_STREQ(OptionsCaptionsFor(Language::Vietnamese).languageLabel,
                 "&Language / Ng\xA4n ng\xF6:");
}

TEST(Captions, EveryCaptionHasAtMostOneAccessKey) {
    for (Language language : {Language::Vietnamese, Language::English}) {
        const MainCaptions& m = MainCaptionsFor(language);
        const OptionsCaptions& o = OptionsCaptionsFor(language);
        for (const char* text :
             {m.enterImeiLabel, m.analyzeButton, m.saveButton, m.clearButton, m.optionsButton,
              o.languageLabel, o.getOnlineCheck, o.addMissingCheck, o.applyButton}) {
            std::string s(text);
            EXPECT_EQ(std::count(s.begin(), s.end(), '&'), 1) << s;
        }
        for (const char* text : {o.okButton, o.cancelButton, o.title}) {
            EXPECT_EQ(std::string(text).find('&'), std::string::npos) << text;
        }
    }
}

}  // namespace
}  // namespace quorvel
