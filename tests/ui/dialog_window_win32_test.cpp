#include <windows.h>
#include <gtest/gtest.h>

#include "shared/handles_win32.h"
#include "support/win32_test_support.h"
#include "ui/dialog_window_win32.h"

namespace quorvel {
namespace {

// A window of the system's dialog class with buttons "&save", "&Save" and
// "Cancel"; the Save button is found by its exact caption. Once dressed, any
// button about to paint relabels it in the dialog's own font, which goes
// with the dialog.
TEST(DialogWindow, RelabelsTheSaveButtonInItsFontWhenAButtonIsAboutToPaint) {
    UniqueWindow dialog(CreateWindowExA(0, MAKEINTATOM(32770), "", WS_POPUP, 0, 0, 300, 200,
                                        nullptr, nullptr, nullptr, nullptr));
    HWND buttons[3] = {};
    int i = 0;
    for (const char* caption : {"&save", "&Save", "Cancel"}) {
        buttons[i++] = CreateWindowExA(0, "BUTTON", caption, WS_CHILD, 0, 0, 80, 24, dialog.Get(),
                                       nullptr, nullptr, nullptr);
    }
    EXPECT_EQ(FindChildWithCaption(dialog.Get(), "button", "&save"), buttons[0]);
    EXPECT_EQ(FindChildWithCaption(dialog.Get(), "Static", "&Save"), nullptr);
    ASSERT_TRUE(DressDialog(dialog.Get()));
    const HFONT font = DialogFont(dialog.Get());
    SendMessageA(dialog.Get(), WM_CTLCOLORBTN,
                 reinterpret_cast<WPARAM>(UniqueWindowDc(buttons[2]).Get()),
                 reinterpret_cast<LPARAM>(buttons[2]));
    EXPECT_EQ(test::WindowText(buttons[1]), "&L\xA7u");
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(buttons[1], WM_GETFONT, 0, 0)), font);
    EXPECT_EQ(test::WindowText(buttons[0]), "&save");
    EXPECT_NE(reinterpret_cast<HFONT>(SendMessageA(buttons[2], WM_GETFONT, 0, 0)), font);
    dialog.Reset();
    EXPECT_EQ(GetObjectType(font), 0u) << "the font outlived its dialog";
}

}  // namespace
}  // namespace quorvel
