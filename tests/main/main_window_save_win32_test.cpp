#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/main_window_win32.h"
#include "main/save_command.h"
#include "settings/profile_settings_win32.h"
#include "shared/handles_win32.h"
#include "support/message_box_probe.h"
#include "support/save_dialog_driver.h"
#include "support/test_files.h"
#include "support/test_folder_win32.h"
#include "support/win32_test_support.h"
#include "ui/message_prompt.h"
#include "ui/safe_save_win32.h"

namespace quorvel {
namespace {

using Entries = std::vector<std::string>;

const std::string kResult =
    "Input IMEI: 352099001761481\r\nTAC: 352099\r\n\xA4\xFC\x98 and the last line";

class MainWindowSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::DeleteProgramFile(kSettingsFileName);
        main_ = test::OpenShownMainWindow();
        ASSERT_NE(main_, nullptr);
        window_ = main_->Handle();
    }
    void TearDown() override {
        if (IsWindow(window_)) DestroyWindow(window_);
        test::DeleteProgramFile(kSettingsFileName);
    }

    // The state after an analysis: a result text and Save enabled.
    void ShowResult(const std::string& text) {
        SetWindowTextA(main_->Control(kTx2Id), text.c_str());
        main_->EnableCommands(true);
    }

    test::SeenSaveDialog ClickSave(const test::SaveDialogAnswer& answer) {
        return test::AnswerSaveDialog([&] { SendMessageA(main_->Control(kCm2Id), BM_CLICK, 0, 0); },
                                      answer);
    }

    MainWindow* main_ = nullptr;
    HWND window_ = nullptr;
    test::TestFolder folder_{"saved-results"};
};

// The bytes written are the save command's; here the dialog is owned by the
// window, asked in the language set while it is open, and the result box
// reaches the file.
TEST_F(MainWindowSaveTest, WritesTheResultBoxToTheChosenFileInEitherLanguage) {
    const std::pair<const char*, const char*> cases[] = {{"1", "Save As"}, {"0", " "}};
    const std::string typed = folder_.PathOf("result");
    ShowResult(kResult);
    for (const auto& [languageId, systemTitle] : cases) {
        WriteSetting(kSettingsSection, kLanguageIdKey, languageId);
        DeleteFileA((typed + ".txt").c_str());
        const test::SeenSaveDialog seen = ClickSave({typed.c_str(), {}, {}});
        EXPECT_EQ(seen.owner, window_);
        EXPECT_EQ(seen.systemTitle, systemTitle);
        EXPECT_TRUE(seen.laterBoxes.empty());
        EXPECT_EQ(test::ReadTestFile(typed + ".txt"), kResult) << languageId;
        EXPECT_EQ(folder_.Entries(), Entries{"result.txt"});
    }
}

TEST_F(MainWindowSaveTest, ReplacesAnExistingFileOnceTheSystemsQuestionIsAnswered) {
    const std::string path = folder_.PathOf("result.txt");
    test::WriteTestFile(path, std::string(3000, 'o'));
    ShowResult(kResult);
    const test::SeenSaveDialog seen = ClickSave({path.c_str(), {}, {IDYES}});
    ASSERT_EQ(seen.laterBoxes.size(), 1u);  // the system's question, nothing after it
    EXPECT_EQ(test::ReadTestFile(path), kResult);
    EXPECT_EQ(folder_.Entries(), Entries{"result.txt"});
}

TEST_F(MainWindowSaveTest, AFileInUseIsKeptAndTheFailureReported) {
    const std::string path = folder_.PathOf("held.txt");
    test::WriteTestFile(path, "old\r\n");
    UniqueFile holder(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    ASSERT_NE(holder.Get(), INVALID_HANDLE_VALUE);
    ShowResult(kResult);
    const test::SeenSaveDialog seen = ClickSave({path.c_str(), {}, {IDYES, IDOK}});
    ASSERT_EQ(seen.laterBoxes.size(), 2u);
    const test::SeenMessageBox& report = seen.laterBoxes[1];
    EXPECT_EQ(report.text.text, ReformatPrompt(SaveFailedMessage(
                                    Language::English, SaveOutcome::kReplaceFailed, path)));
    EXPECT_EQ(report.owner, window_);
    EXPECT_EQ(test::ReadTestFile(path), "old\r\n");
    EXPECT_EQ(folder_.Entries(), Entries{"held.txt"});
}

// Folders the dialog would not offer: the command is given the path.
TEST_F(MainWindowSaveTest, AFolderThatTakesNoFileIsReported) {
    const std::string paths[] = {folder_.PathOf("missing\\result.txt"),
                                 "Z:\\proc\\self\\result.txt"};
    ShowResult(kResult);
    for (const std::string& path : paths) {
        WindowsResultFiles files;
        test::SeenMessageBox report;
        test::MessageBoxAnswerer answerer([&](HWND box) {
            report = test::SeeMessageBox(box);
            return IDOK;
        });
        RunSaveCommand(*main_, ProgramSettings(), files, [&](Language) { return path; });
        EXPECT_TRUE(answerer.Answered());
        EXPECT_EQ(report.text.text, ReformatPrompt(SaveFailedMessage(
                                        Language::English, SaveOutcome::kFolderRefused, path)));
    }
    EXPECT_TRUE(folder_.Entries().empty());
}

}  // namespace
}  // namespace quorvel
