#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/main_window_win32.h"
#include "settings/profile_settings_win32.h"
#include "shared/data_resource_win32.h"
#include "support/message_box_script.h"
#include "support/test_files.h"
#include "support/test_folder_win32.h"
#include "support/win32_test_support.h"
#include "ui/captions.h"
#include "ui/control_class_win32.h"
#include "ui/display_font.h"
#include "ui/display_font_win32.h"

namespace quorvel {
namespace {

const MainControlId kCaptioned[] = {kLb1Id, kLbiId, kCm1Id, kCm2Id, kCm3Id, kCm4Id};

// The face the system really draws the font with.
std::string DrawnFace(HFONT font) {
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    ScopedSelection selection(dc.Get(), font);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc.Get(), LF_FACESIZE, face);
    return face;
}

bool FaceIsRegistered() {
    UniqueFont font(CreateFontA(8, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0,
                                0, kDisplayFontFace));
    return DrawnFace(font.Get()) == kDisplayFontFace;
}

// Each test has a temporary folder (TMP) of its own; the system's comes back.
class DisplayFontTest : public ::testing::Test {
protected:
    void SetUp() override {
        char previous[MAX_PATH + 1] = {};
        GetEnvironmentVariableA("TMP", previous, sizeof previous);
        previousTmp_ = previous;
        SetEnvironmentVariableA("TMP", (folder_.Path() + "\\").c_str());
        test::DeleteProgramFile(kSettingsFileName);
    }
    void TearDown() override {
        if (main_) main_->Close();
        SetEnvironmentVariableA("TMP", previousTmp_.c_str());
    }

    std::string FontFile() const { return folder_.PathOf(kDisplayFontFileName); }

    test::TestFolder folder_{"font-temp"};
    std::string previousTmp_;
    MainWindow* main_ = nullptr;
};

TEST_F(DisplayFontTest, TheRunInstallsTheCommittedFontForItsCaptionsAndRemovesIt) {
    test::MessageBoxScript catcher({});
    main_ = test::OpenShownMainWindow();
    ASSERT_NE(main_, nullptr);
    EXPECT_TRUE(catcher.Seen().empty());
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{kDisplayFontFileName});
    EXPECT_EQ(
        test::ReadTestFile(FontFile()),
        test::ReadTestFile(std::string("Z:") + QUORVEL_SOURCE_DIR "/Source/resources/quorvel.fon"));
    for (MainControlId id : kCaptioned) {
        EXPECT_EQ(
            DrawnFace(reinterpret_cast<HFONT>(SendMessageA(main_->Control(id), WM_GETFONT, 0, 0))),
            kDisplayFontFace)
            << id;
    }
    const auto font =
        reinterpret_cast<HFONT>(SendMessageA(main_->Control(kCm1Id), WM_GETFONT, 0, 0));
    main_->Close();
    main_ = nullptr;
    PumpPendingMessages(nullptr);
    EXPECT_TRUE(folder_.Entries().empty());
    EXPECT_FALSE(FaceIsRegistered());
    EXPECT_EQ(GetObjectType(font), 0u);
}

// A second running copy holds the file open: the same font is used as it is;
// other bytes, or no folder, are reported and the program runs on.
TEST_F(DisplayFontTest, AFileThatCannotBeWrittenIsUsedOnlyIfItHoldsTheFont) {
    const std::string font = LoadDataResource(GetModuleHandleA(nullptr), kDisplayFontResourceId);
    struct Case {
        std::string held;  // empty: the temporary folder is missing
        bool reported;
    };
    const Case cases[] = {{font, false}, {"not the font", true}, {"", true}};
    for (const Case& c : cases) {
        UniqueFile holder;
        if (c.held.empty()) {
            SetEnvironmentVariableA("TMP", folder_.PathOf("missing\\").c_str());
        } else {
            test::WriteTestFile(FontFile(), c.held);
            holder.Reset(CreateFileA(FontFile().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, 0, nullptr));
        }
        test::MessageBoxScript catcher({IDOK});
        main_ = test::OpenShownMainWindow();
        ASSERT_NE(main_, nullptr);
        ASSERT_EQ(catcher.Seen().size(), c.reported ? 1u : 0u) << c.held;
        if (c.reported) {
            EXPECT_EQ(catcher.Seen()[0].systemTitle, "Quorvel");
            EXPECT_NE(catcher.Seen()[0].text.find(GetTempFolder()), std::string::npos);
        }
        EXPECT_EQ(test::FontFace(main_->Control(kCm1Id)),
                  c.reported ? kDesignCaptionFontFace : kDisplayFontFace);
        main_->Close();
        main_ = nullptr;
        if (!c.held.empty()) {
            EXPECT_EQ(test::ReadTestFile(FontFile()), c.held);  // another's file is left alone
        }
        holder.Reset();
        DeleteFileA(FontFile().c_str());
        SetEnvironmentVariableA("TMP", (folder_.Path() + "\\").c_str());
    }
}

TEST_F(DisplayFontTest, ATemporaryFolderLongerThanTheFirstBufferIsRead) {
    const std::string longer = "C:\\" + std::string(254, 'g');
    SetEnvironmentVariableA("TMP", longer.c_str());
    EXPECT_EQ(CurrentDisplayFontFilePath(), longer + "\\" + kDisplayFontFileName);
}

TEST_F(DisplayFontTest, AnInstallationRemovesOnlyWhatItWrote) {
    test::WriteTestFile(FontFile(), "someone else's");
    { DisplayFontInstallation unused; }
    EXPECT_EQ(test::ReadTestFile(FontFile()), "someone else's");
}

}  // namespace
}  // namespace quorvel
