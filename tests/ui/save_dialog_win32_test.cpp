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

// Owned by its owner: the system's own dialog, or relabelled in the display
// font with its title drawn; when the system gives the Save button its
// caption back (as when the user picks a folder and then a file again), the
// next notification relabels it. The default extension is added; the dialog
// writes nothing. 260 characters with the terminator fill the path buffer: a
// longer name, or Cancel, gives no path.
TEST(AskSavePath, AsksInEitherLanguageForAPathThatFitsTheBuffer) {
    test::TestFolder folder("save-dialog");
    UniqueWindow owner(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr,
                                       nullptr, nullptr, nullptr));
    const std::string typed = folder.PathOf("report");
    const std::string prefix = typed + std::string(259 - typed.size() - 4, 'n');
    struct Case {
        Language language;
        std::string typed, path;
        const char *systemTitle, *face, *save, *title;
    };
    const Case cases[] = {
        {Language::English, typed, typed + ".txt", "Save As", "", "&Save", ""},
        {Language::Vietnamese, typed, typed + ".txt", " ", kDisplayFontFace, "&L\xA7u",
         "L\xA7u T\xCBp Tin"},
        {Language::Vietnamese, prefix + ".txt", prefix + ".txt", " ", kDisplayFontFace, "&L\xA7u",
         "L\xA7u T\xCBp Tin"},
        {Language::Vietnamese, prefix + "n.txt", "", " ", kDisplayFontFace, "&L\xA7u",
         "L\xA7u T\xCBp Tin"},
        {Language::Vietnamese, "", "", " ", kDisplayFontFace, "&L\xA7u", "L\xA7u T\xCBp Tin"},
    };
    for (const Case& c : cases) {
        std::string face, save, path = "not asked";
        const auto act = [&](HWND dialog) {
            face = test::FontFace(FindChildWithCaption(dialog, "Static", "T\xA3n t\xCBp t&in:"));
            SetWindowTextA(GetDlgItem(dialog, IDOK), "&Save");
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, cmb1)));
            save = test::WindowText(GetDlgItem(dialog, IDOK));
        };
        SetDialogTitle("");
        const test::SeenSaveDialog seen =
            test::AnswerSaveDialog([&] { path = AskSavePath(owner.Get(), c.language); },
                                   {c.typed.empty() ? nullptr : c.typed.c_str(), act, {}});
        EXPECT_EQ(seen.owner, owner.Get());
        EXPECT_EQ(seen.systemTitle, c.systemTitle);
        EXPECT_EQ(path, c.path) << c.typed.size();
        EXPECT_EQ(face, c.face);
        EXPECT_EQ(save, c.save);
        EXPECT_EQ(DialogTitle(), c.title);
        EXPECT_TRUE(folder.Entries().empty());
    }
}

}  // namespace
}  // namespace quorvel
