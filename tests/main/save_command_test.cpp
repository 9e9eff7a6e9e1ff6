#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "main/save_command.h"
#include "support/fake_main_view.h"
#include "support/fake_result_files.h"
#include "support/fake_settings.h"
#include "ui/message_prompt.h"

namespace quorvel {
namespace {

const std::string kPath = "C:\\results\\phone.txt";
const std::string kResult = "Input IMEI: 352099001761481\r\nTAC: 352099\r\n\xA4\xFC";

// The codes above 127 that the display font draws as Vietnamese letters.
const std::set<unsigned char> kFontLetters = {
    0x98, 0x9F, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA7, 0xAA, 0xB6, 0xBA, 0xC0, 0xC1, 0xC2, 0xC7, 0xCA,
    0xCB, 0xD2, 0xD3, 0xD5, 0xD6, 0xD8, 0xD9, 0xDB, 0xDC, 0xDF, 0xE2, 0xE3, 0xE4, 0xE5, 0xE7, 0xE8,
    0xE9, 0xEA, 0xEC, 0xED, 0xEE, 0xEF, 0xF1, 0xF3, 0xF4, 0xF5, 0xF6, 0xF8, 0xF9, 0xFC};

class SaveCommandTest : public ::testing::Test {
protected:
    void Run() {
        RunSaveCommand(view_, settings_, files_, [this](Language language) {
            asked_.push_back(language);
            return chosenPath_;
        });
    }

    test::FakeMainView view_;
    test::FakeSettings settings_;
    test::FakeResultFiles files_;
    std::string chosenPath_ = kPath;
    std::vector<Language> asked_;
};

TEST_F(SaveCommandTest, AsksInTheLanguageOfTheSettingAtThatMoment) {
    struct Case {
        const char* languageId;  // null: no such key
        Language language;
    };
    const Case cases[] = {{nullptr, Language::English},
                          {"1", Language::English},
                          {"00", Language::English},
                          {"0", Language::Vietnamese}};
    chosenPath_.clear();
    for (const Case& c : cases) {
        settings_.values.clear();
        if (c.languageId) settings_.Set(kLanguageIdKey, c.languageId);
        asked_.clear();
        Run();
        EXPECT_EQ(asked_, std::vector<Language>{c.language})
            << (c.languageId ? c.languageId : "missing");
    }
}

TEST_F(SaveCommandTest, CancellingWritesNothingAndSaysNothing) {
    files_.files[kPath] = "old";
    chosenPath_.clear();
    view_.resultBox = kResult;
    Run();
    EXPECT_TRUE(files_.calls.empty());
    EXPECT_TRUE(view_.messages.empty());
    EXPECT_EQ(files_.files, (std::map<std::string, std::string>{{kPath, "old"}}));
}

TEST_F(SaveCommandTest, WritesTheResultBoxExactly) {
    for (const std::string& text : {kResult, std::string()}) {
        files_.files.clear();
        view_.resultBox = text;
        Run();
        EXPECT_EQ(files_.files, (std::map<std::string, std::string>{{kPath, text}}));
    }
    EXPECT_TRUE(view_.messages.empty());
}

TEST_F(SaveCommandTest, AFailureIsReportedInTheInterfaceLanguageAndKeepsTheOldFile) {
    struct Case {
        const char* languageId;
        Language language;
        bool refuseNewFiles;
        bool refuseReplace;
        SaveOutcome outcome;
    };
    const Case cases[] = {
        {"1", Language::English, true, false, SaveOutcome::kFolderRefused},
        {"1", Language::English, false, true, SaveOutcome::kReplaceFailed},
        {"0", Language::Vietnamese, true, false, SaveOutcome::kFolderRefused},
        {"0", Language::Vietnamese, false, true, SaveOutcome::kReplaceFailed},
    };
    view_.resultBox = kResult;
    for (const Case& c : cases) {
        settings_.Set(kLanguageIdKey, c.languageId);
        files_.files = {{kPath, "old"}};
        files_.refuseNewFiles = c.refuseNewFiles;
        files_.refuseReplace = c.refuseReplace;
        view_.messages.clear();
        view_.answers = {kResultOk};
        Run();
        EXPECT_EQ(files_.files, (std::map<std::string, std::string>{{kPath, "old"}}));
        ASSERT_EQ(view_.messages.size(), 1u);
        EXPECT_EQ(view_.messages[0].prompt, SaveFailedMessage(c.language, c.outcome, kPath));
        EXPECT_EQ(view_.messages[0].style, kStyleExclamationOk);
        EXPECT_EQ(view_.messages[0].title, SaveFailedTitle(c.language));
    }
}

TEST(SaveFailedMessage, NamesThePathAndTheReasonInEachLanguage) {
    const SaveOutcome failures[] = {SaveOutcome::kFolderRefused, SaveOutcome::kWriteFailed,
                                    SaveOutcome::kReplaceFailed};
    for (Language language : {Language::English, Language::Vietnamese}) {
        std::set<std::string> texts;
        for (SaveOutcome outcome : failures) {
            const std::string text = SaveFailedMessage(language, outcome, kPath);
            EXPECT_NE(text.find("\r\n" + kPath + "\r\n"), std::string::npos) << text;
            texts.insert(text);
        }
        EXPECT_EQ(texts.size(), std::size(failures)) << "each failure has its own reason";
        EXPECT_EQ(SaveFailedMessage(language, SaveOutcome::kSaved, kPath), "");
    }
    EXPECT_STREQ(SaveFailedTitle(Language::English), "Warning");
    EXPECT_STREQ(SaveFailedTitle(Language::Vietnamese), "Th\xA4ng b\xC0o");
}

TEST(SaveFailedMessage, EnglishIsAsciiAndVietnameseUsesOnlyTheFontsLetters) {
    for (SaveOutcome outcome :
         {SaveOutcome::kFolderRefused, SaveOutcome::kWriteFailed, SaveOutcome::kReplaceFailed}) {
        for (char c : SaveFailedMessage(Language::English, outcome, "x")) {
            EXPECT_LT(static_cast<unsigned char>(c), 0x80);
        }
        const std::string vietnamese = SaveFailedMessage(Language::Vietnamese, outcome, "x");
        for (char byte : vietnamese) {
            const auto c = static_cast<unsigned char>(byte);
            if (c >= 0x80) {
                EXPECT_TRUE(kFontLetters.count(c)) << std::hex << int(c);
            }
        }
        // "được": a wrongly split literal merges 0xA2 0xA7 0xED with the "c".
        EXPECT_EQ(vietnamese.rfind("Kh\xA4ng l\xA7u \xA2\xA7\xED"
                                   "c k\xD5t qu\xB6 v\xAAo t\xCBp tin:\r\nx\r\n",
                                   0),
                  0u);
    }
}

}  // namespace
}  // namespace quorvel
