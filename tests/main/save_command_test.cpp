#include <gtest/gtest.h>

#include <map>
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

TEST(SaveFailedMessage, EveryReasonInBothLanguages) {
    const std::string en = "The results could not be saved to the file:\r\n" + kPath + "\r\n";
    const std::string vi =
        "Kh\xA4ng l\xA7u \xA2\xA7\xED"
        "c k\xD5t qu\xB6 v\xAAo t\xCBp tin:\r\n" +
        kPath + "\r\n";
    const std::string enEnd = "\r\nNo file was changed.";
    const std::string viEnd = "\r\nKh\xA4ng c\xE2 t\xCBp tin n\xAAo b\xDC thay \xA2\xE5i.";
    struct Case {
        Language language;
        SaveOutcome outcome;
        std::string text;
    };
    const Case cases[] = {
        {Language::English, SaveOutcome::kFolderRefused,
         en + "The folder does not exist or does not accept new files." + enEnd},
        {Language::English, SaveOutcome::kWriteFailed,
         en + "The file could not be written completely; the disk may be full." + enEnd},
        {Language::English, SaveOutcome::kReplaceFailed,
         en + "The existing file could not be replaced; another program may be using it." + enEnd},
        {Language::Vietnamese, SaveOutcome::kFolderRefused,
         vi +
             "Th\xA7 m\xF3"
             "c kh\xA4ng t\xE4n t\xC1i hay kh\xA4ng cho t\xC1o t\xCBp tin m\xECi." +
             viEnd},
        {Language::Vietnamese, SaveOutcome::kWriteFailed,
         vi +
             "Kh\xA4ng ghi \xA2\xA7\xED"
             "c h\xD5t t\xCBp tin, c\xE2 th\xD3 \xA2\xBA h\xD5t dung l\xA7\xEDng." +
             viEnd},
        {Language::Vietnamese, SaveOutcome::kReplaceFailed,
         vi +
             "Kh\xA4ng thay \xA2\xA7\xED"
             "c t\xCBp tin c\xF1, c\xE2 th\xD3 ch\xA7\xA5ng tr\xD8nh kh\xC0"
             "c \xA2"
             "ang d\xEEng n\xE2." +
             viEnd},
        {Language::English, SaveOutcome::kSaved, ""},
        {Language::Vietnamese, SaveOutcome::kSaved, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(SaveFailedMessage(c.language, c.outcome, kPath), c.text);
    EXPECT_STREQ(SaveFailedTitle(Language::English), "Warning");
    EXPECT_STREQ(SaveFailedTitle(Language::Vietnamese), "Th\xA4ng b\xC0o");
}

}  // namespace
}  // namespace quorvel
