#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <string>

#include "shared/handles_win32.h"
#include "support/save_dialog_driver.h"
#include "support/test_folder_win32.h"
#include "support/win32_test_support.h"
#include "ui/captions.h"
#include "ui/dialog_window_win32.h"
#include "ui/save_dialog_texts.h"
#include "ui/save_dialog_win32.h"

namespace quorvel {
namespace {

class SaveDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner_.Reset(CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100,
                                     nullptr, nullptr, nullptr, nullptr));
        ASSERT_TRUE(owner_);
    }

    test::SeenSaveDialog Ask(Language language, const test::SaveDialogAnswer& answer) {
        path_ = "not asked";
        return test::AnswerSaveDialog([&] { path_ = AskSavePath(owner_.Get(), language); }, answer);
    }

    test::TestFolder folder_{"save-dialog"};
    UniqueWindow owner_;
    std::string path_;
};

// The default extension is added to a name typed without one; the dialog
// itself writes nothing.
TEST_F(SaveDialogTest, EnglishIsTheSystemsOwnDialog) {
    const std::string typed = folder_.PathOf("report");
    const test::SeenSaveDialog seen = Ask(Language::English, {typed.c_str(), {}, {}});
    EXPECT_EQ(seen.owner, owner_.Get());
    EXPECT_EQ(seen.systemTitle, "Save As");
    EXPECT_EQ(path_, typed + ".txt");
    EXPECT_TRUE(folder_.Entries().empty());
}

// Relabelled in the display font with its title drawn into the bar; when the
// system gives the Save button its caption back (as when the user picks a
// folder and then a file again), the next notification relabels it.
TEST_F(SaveDialogTest, VietnameseIsRelabelledAndDrawsItsTitle) {
    int titlePixels = 0;
    std::string face;
    std::string relabelled;
    const auto act = [&](HWND dialog) {
        titlePixels = test::CaptionPixelsOfColour(dialog, GetSysColor(COLOR_CAPTIONTEXT));
        face = test::FontFace(FindChildWithCaption(dialog, "Static", "T\xA3n t\xCBp t&in:"));
        HWND save = GetDlgItem(dialog, IDOK);
        SetWindowTextA(save, "&Save");
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, cmb1)));
        relabelled = test::WindowText(save);
    };
    SetDialogTitle("an earlier title");
    const std::string typed = folder_.PathOf("report");
    const test::SeenSaveDialog seen = Ask(Language::Vietnamese, {typed.c_str(), act, {}});
    EXPECT_EQ(seen.owner, owner_.Get());
    EXPECT_EQ(seen.systemTitle, " ");
    EXPECT_EQ(DialogTitle(), kSaveDialogTitle);
    EXPECT_GT(titlePixels, 30);
    EXPECT_EQ(face, kDisplayFontFace);
    EXPECT_EQ(relabelled, "&L\xA7u");
    EXPECT_EQ(path_, typed + ".txt");
}

// 260 characters with the terminator fill the buffer; a longer name is not
// taken, and what the system leaves in the buffer then is no path.
TEST_F(SaveDialogTest, CancelOrAPathTooLongForTheBufferGivesNoPath) {
    const std::string prefix = folder_.Path() + "\\";
    for (std::size_t length : {0u, 259u, 260u}) {
        const std::string typed =
            length ? prefix + std::string(length - prefix.size() - 4, 'n') + ".txt" : "";
        Ask(Language::Vietnamese, {length ? typed.c_str() : nullptr, {}, {}});
        EXPECT_EQ(path_, length == 259 ? typed : "") << length;
    }
}

}  // namespace
}  // namespace quorvel
