#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "support/save_dialog_driver.h"
#include "support/test_folder_win32.h"
#include "ui/dialog_window_win32.h"
#include "ui/save_dialog_win32.h"

namespace quorvel {

// Owned by its owner: the system's own dialog, or relabelled in the display
// font (a font of its own, which goes with it) with its title drawn; when the
// system gives the Save button its caption back (as when the user picks a
// folder and then a file again), the next notification or button paint
// relabels it. The default extension is added. 260 characters with the
// terminator fill the path buffer: a longer name, or Cancel, gives no path.
TEST(AskSavePath, AsksInEitherLanguageForAPathThatFitsTheBuffer) {
    test::TestFolder folder("save-dialog");
    UniqueWindow owner(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr,
                                       nullptr, nullptr, nullptr));
    const std::string typed = folder.PathOf("report");
    const std::string prefix = typed + std::string(259 - typed.size() - 4, 'n');
    struct Case {
        Language language;
        std::string typed, path;
    };
    const Case cases[] = {
        {Language::English, typed, typed + ".txt"},
        {Language::Vietnamese, typed, typed + ".txt"},
        {Language::Vietnamese, prefix + ".txt", prefix + ".txt"},
        {Language::Vietnamese, prefix + "n.txt", ""},
        {Language::Vietnamese, "", ""},
    };
    for (const Case& c : cases) {
        const bool vietnamese = c.language == Language::Vietnamese;
        std::string face, save, title, path = "not asked";
        HFONT font = nullptr;
        const auto act = [&](HWND dialog) {
            face = test::FontFace(FindChildWithCaption(dialog, "Static", "T\xA3n t\xCBp t&in:"));
            title = test::DrawnTitle(dialog);
            font = DialogFont(dialog);
            HWND saveButton = GetDlgItem(dialog, IDOK);
            SetWindowTextA(saveButton, "&Save");
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, cmb1)));
            save = test::WindowText(saveButton);
            SetWindowTextA(saveButton, "&Save");
            SendMessageA(dialog, WM_CTLCOLORBTN,
                         reinterpret_cast<WPARAM>(UniqueWindowDc(saveButton).Get()),
                         reinterpret_cast<LPARAM>(saveButton));
            save += " " + test::WindowText(saveButton);
        };
        const test::SeenSaveDialog seen =
            test::AnswerSaveDialog([&] { path = AskSavePath(owner.Get(), c.language); },
                                   {c.typed.empty() ? nullptr : c.typed.c_str(), act, {}});
        EXPECT_EQ(seen.owner, owner.Get());
        EXPECT_EQ(seen.systemTitle, vietnamese ? " " : "Save As");
        EXPECT_EQ(path, c.path) << c.typed.size();
        EXPECT_EQ(face, vietnamese ? kDisplayFontFace : "");
        EXPECT_EQ(save, vietnamese ? "&L\xA7u &L\xA7u" : "&Save &Save");
        EXPECT_EQ(title, vietnamese ? "L\xA7u T\xCBp Tin" : "");
        EXPECT_EQ(GetObjectType(font), 0u) << "the dialog's font outlived it";
    }
}

}  // namespace quorvel
