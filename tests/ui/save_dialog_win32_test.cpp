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
#include "ui/save_dialog_win32.h"

namespace quorvel {
namespace {

class SaveDialogTest : public ::testing::Test {
protected:
    std::string Ask(Language language, const test::SaveDialogAnswer& answer) {
        std::string path = "not asked";
        const test::SeenSaveDialog seen =
            test::AnswerSaveDialog([&] { path = AskSavePath(owner_.Get(), language); }, answer);
        EXPECT_EQ(seen.owner, owner_.Get());
        EXPECT_EQ(seen.systemTitle, language == Language::English ? "Save As" : " ");
        return path;
    }

    test::TestFolder folder_{"save-dialog"};
    UniqueWindow owner_{CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100,
                                        nullptr, nullptr, nullptr, nullptr)};
};

// The system's own dialog, or relabelled in the display font with its title
// drawn; when the system gives the Save button its caption back (as when the
// user picks a folder and then a file again), the next notification relabels
// it. The default extension is added; the dialog itself writes nothing.
TEST_F(SaveDialogTest, AsksInEitherLanguageForAPathWithTheDefaultExtension) {
    struct Case {
        Language language;
        const char* face;
        const char* save;
    };
    const Case cases[] = {{Language::English, "", "&Save"},
                          {Language::Vietnamese, kDisplayFontFace, "&L\xA7u"}};
    for (const Case& c : cases) {
        std::string face, save;
        const auto act = [&](HWND dialog) {
            face = test::FontFace(FindChildWithCaption(dialog, "Static", "T\xA3n t\xCBp t&in:"));
            SetWindowTextA(GetDlgItem(dialog, IDOK), "&Save");
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, cmb1)));
            save = test::WindowText(GetDlgItem(dialog, IDOK));
        };
        SetDialogTitle("");
        const std::string typed = folder_.PathOf("report");
        EXPECT_EQ(Ask(c.language, {typed.c_str(), act, {}}), typed + ".txt");
        EXPECT_EQ(face, c.face);
        EXPECT_EQ(save, c.save);
        EXPECT_EQ(DialogTitle(), c.language == Language::English ? "" : "L\xA7u T\xCBp Tin");
        EXPECT_TRUE(folder_.Entries().empty());
    }
}

// 260 characters with the terminator fill the buffer; a longer name is not
// taken, and what the system leaves in the buffer then is no path.
TEST_F(SaveDialogTest, CancelOrAPathTooLongForTheBufferGivesNoPath) {
    const std::string prefix = folder_.Path() + "\\";
    for (std::size_t length : {0u, 259u, 260u}) {
        const std::string typed =
            length ? prefix + std::string(length - prefix.size() - 4, 'n') + ".txt" : "";
        const std::string path =
            Ask(Language::Vietnamese, {length ? typed.c_str() : nullptr, {}, {}});
        EXPECT_EQ(path, length == 259 ? typed : "") << length;
    }
}

}  // namespace
}  // namespace quorvel
