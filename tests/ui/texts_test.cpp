// The texts of the user interface in both languages, written out as the
// program quotes them, and the rules that pick and lay them out.
#include <gtest/gtest.h>

#include <string>

#include "imei/handset_database.h"
#include "support/cp1252.h"
#include "support/fake_settings.h"
#include "ui/about_text.h"
#include "ui/captions.h"
#include "ui/display_font.h"
#include "ui/message_prompt.h"
#include "ui/save_dialog_texts.h"

namespace quorvel {
namespace {

using test::Cp1252;

TEST(LanguageRule, OnlyExactlyZeroIsVietnameseReadAnewEachTime) {
    EXPECT_EQ(LanguageFromSetting("0"), Language::Vietnamese);
    for (const char* other : {"", "1", "2", "00", " 0", "0 ", "en"}) {
        EXPECT_EQ(LanguageFromSetting(other), Language::English) << '"' << other << '"';
    }
    test::FakeSettings settings;
    settings.Set(kLanguageIdKey, "0");
    EXPECT_EQ(CurrentLanguage(settings), Language::Vietnamese);
    settings.Set(kLanguageIdKey, "1");
    EXPECT_EQ(CurrentLanguage(settings), Language::English);
}

TEST(MainCaptions, EveryCaptionInBothLanguages) {
    const char* const vietnamese[] = {
        "&NhËp vªo sç IMEI:",
        "BÁn câ thÓ xem sç IMEI bÂng cÀch bÊm *#06# tô mªn hØnh ché cïa mÀy ¢iÖn thoÁi di ¢èng. "
        "Sç IMEI cñng th§éng ¢§íc in ê phÛa sau th¡n mÀy.",
        "&Ph¡n tÛch",
        "&L§u",
        "&XoÀ",
        "&Tuù chãn..."};
    const char* const english[] = {
        "&Enter the IMEI number:",
        "You can get the IMEI by typing *#06# from the standby screen. It is also usually printed "
        "on the compliance plate under the battery.",
        "&Analyze",
        "&Save",
        "&Clear",
        "&Options..."};
    for (Language language : {Language::Vietnamese, Language::English}) {
        const MainCaptions& m = MainCaptionsFor(language);
        const char* const shown[] = {m.enterImeiLabel, m.imeiTipLabel, m.analyzeButton,
                                     m.saveButton,     m.clearButton,  m.optionsButton};
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(shown[i], language == Language::Vietnamese ? Cp1252(vietnamese[i])
                                                                 : std::string(english[i]))
                << i;
        }
    }
}

TEST(MessageBoxTexts, ButtonsAndPromptLayout) {
    const ButtonRelabel buttons[] = {{"OK", "˜âng"}, {"&Yes", "&Câ"}, {"&No", "&Kh¤ng"}};
    ASSERT_EQ(kMessageBoxButtonRelabels.size(), std::size(buttons));
    for (std::size_t i = 0; i < std::size(buttons); ++i) {
        EXPECT_STREQ(kMessageBoxButtonRelabels[i].systemCaption, buttons[i].systemCaption);
        EXPECT_EQ(kMessageBoxButtonRelabels[i].replacement, Cp1252(buttons[i].replacement));
    }
    EXPECT_STREQ(kSaveButtonRelabel.systemCaption, "&Save");
    EXPECT_EQ(kSaveButtonRelabel.replacement, Cp1252("&L§u"));

    // The first of the longest lines gets seven spaces; every line then ends
    // with CR LF, and one more CR LF ends the text.
    const std::pair<const char*, const char*> prompts[] = {
        {"abc", "abc       \r\n\r\n"},
        {"a\r\nbc", "a\r\nbc       \r\n\r\n"},
        {"abc\r\nd", "abc       \r\nd\r\n\r\n"},
        {"ab\r\ncd", "ab       \r\ncd\r\n\r\n"},
        {"a\r\nbcd\r\nef", "a\r\nbcd       \r\nef\r\n\r\n"},
        {"abc\r\n", "abc       \r\n\r\n\r\n"},
        {"\r\n", "       \r\n\r\n\r\n"},
        {"ab\ncd\r\nxyz", "ab\ncd       \r\nxyz\r\n\r\n"},  // only CR LF ends a line
    };
    for (const auto& [prompt, shown] : prompts) EXPECT_EQ(ReformatPrompt(prompt), shown) << prompt;
}

TEST(SaveDialogTexts, FiltersTitlesAndRelabels) {
    const auto filter = [](std::initializer_list<const char*> pieces) {
        std::string bytes;
        for (const char* piece : pieces) bytes += Cp1252(piece) + '\0';
        return bytes + '\0';
    };
    const SaveDialogTexts& english = SaveDialogTextsFor(Language::English);
    const SaveDialogTexts& vietnamese = SaveDialogTextsFor(Language::Vietnamese);
    EXPECT_EQ(english.filter,
              filter({"Text Documents (*.txt)", "*.txt", "All Files (*.*)", "*.*"}));
    EXPECT_EQ(vietnamese.filter,
              filter({"Tªi liÖu vŸn b¶n (*.txt)", "*.txt", "TÊt c¶ (*.*)", "*.*"}));
    EXPECT_EQ(english.systemTitle, nullptr);
    EXPECT_STREQ(vietnamese.systemTitle, " ");
    EXPECT_EQ(kSaveDialogTitle, Cp1252("L§u TËp Tin"));
    EXPECT_STREQ(kSaveDefaultExtension, "txt");

    const ControlRelabel relabels[] = {
        {"Button", "Cancel", "&ThoÀt"},
        {"static", "Save &in:", "&N¥i l§u:"},
        {"static", "File &name:", "T£n tËp t&in:"},
        {"static", "Save as &type:", "&DÁng tËp tin:"},
        {"static", "Files of &type:", "&DÁng tËp tin:"},  // Wine's name of the type list
    };
    ASSERT_EQ(kSaveDialogRelabels.size(), std::size(relabels));
    for (std::size_t i = 0; i < std::size(relabels); ++i) {
        EXPECT_STREQ(kSaveDialogRelabels[i].className, relabels[i].className);
        EXPECT_STREQ(kSaveDialogRelabels[i].systemCaption, relabels[i].systemCaption);
        EXPECT_EQ(kSaveDialogRelabels[i].replacement, Cp1252(relabels[i].replacement));
    }
}

TEST(AboutText, VersionCreditAndContactOnTheirOwnLines) {
    EXPECT_EQ(kAboutTitle, Cp1252("Giìi thiÖu"));
    EXPECT_EQ(AboutText({1, 2, 0}, "contact"),
              Cp1252("PhÇn mÒm gi¶i mº th¤ng tin tô sç IMEI, phi£n b¶n 1.2.0\r\n\r\n") +
                  kAboutCreditLine + "\r\ncontact\r\n" + kHandsetDataCredit);
    EXPECT_NE(AboutText({10, 0, 305}, "").find(" 10.0.305\r\n"), std::string::npos);
}

TEST(DisplayFontFile, TheNameEndsInANoBreakSpaceInTheTemporaryFolder) {
    EXPECT_EQ(DisplayFontFilePath("C:\\Temp\\"), "C:\\Temp\\~DF9BA6Z.vwf\xA0");
    EXPECT_EQ(DisplayFontFilePath("C:\\Temp"), "C:\\Temp\\~DF9BA6Z.vwf\xA0");
    EXPECT_EQ(DisplayFontFilePath(""), "");
}

}  // namespace
}  // namespace quorvel
