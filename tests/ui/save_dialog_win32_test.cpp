#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>

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
    // The dialog's system title, the face of its name label, the Save
    // button's caption each time the system gave it back, and the drawn title.
    const std::string english = "Save As||&Save &Save|",
                      vietnamese = " |" + std::string(kDisplayFontFace) +
                                   "|&L\xA7u &L\xA7u|L\xA7u T\xCBp Tin";
    const std::tuple<Language, std::string, std::string> cases[] = {
        {Language::English, typed, typed + ".txt"},
        {Language::Vietnamese, typed, typed + ".txt"},
        {Language::Vietnamese, prefix + ".txt", prefix + ".txt"},
        {Language::Vietnamese, prefix + "n.txt", ""},
        {Language::Vietnamese, "", ""},
    };
    for (const auto& [language, name, path] : cases) {
        std::string shown, asked = "not asked";
        HFONT font = nullptr;
        const auto act = [&](HWND dialog) {
            shown = test::FontFace(FindChildWithCaption(dialog, "Static", "T\xA3n t\xCBp t&in:"));
            font = DialogFont(dialog);
            HWND save = GetDlgItem(dialog, IDOK);
            SetWindowTextA(save, "&Save");
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, cmb1)));
            shown += "|" + test::WindowText(save);
            SetWindowTextA(save, "&Save");
            SendMessageA(dialog, WM_CTLCOLORBTN,
                         reinterpret_cast<WPARAM>(UniqueWindowDc(save).Get()),
                         reinterpret_cast<LPARAM>(save));
            shown += " " + test::WindowText(save) + "|" + test::DrawnTitle(dialog);
        };
        const test::SeenSaveDialog seen =
            test::AnswerSaveDialog([&] { asked = AskSavePath(owner.Get(), language); },
                                   {name.empty() ? nullptr : name.c_str(), act});
        EXPECT_EQ(seen.owner, owner.Get());
        EXPECT_EQ(seen.systemTitle + "|" + shown,
                  language == Language::English ? english : vietnamese);
        EXPECT_EQ(asked, path) << name.size();
        EXPECT_EQ(GetObjectType(font), 0u) << "the dialog's font outlived it";
    }
}

}  // namespace quorvel
