#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "shared/handles_win32.h"
#include "support/win32_test_support.h"
#include "ui/captions.h"
#include "ui/dialog_window_win32.h"
#include "ui/message_prompt.h"

namespace quorvel {
namespace {

using test::FontFace;
using test::WindowText;

// A window of the system's dialog class with buttons of the given captions.
class TestDialog {
public:
    TestDialog(std::initializer_list<const char*> buttons) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        dialog_.Reset(CreateWindowExA(0, MAKEINTATOM(32770), "", WS_POPUP | WS_CAPTION, 0, 0, 300,
                                      200, nullptr, nullptr, instance, nullptr));
        int id = 100;
        for (const char* caption : buttons) {
            CreateWindowExA(0, "BUTTON", caption, WS_CHILD | WS_VISIBLE, 10, 10, 80, 24,
                            dialog_.Get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)),
                            instance, nullptr);
        }
    }
    HWND Get() const { return dialog_.Get(); }
    HWND Button(int index) const { return GetDlgItem(dialog_.Get(), 100 + index); }
    void Destroy() { dialog_.Reset(); }

private:
    UniqueWindow dialog_;
};

TEST(DialogWindow, FindsChildrenByTheirExactCaption) {
    TestDialog dialog({"&save", "&Save", "Save", "&Save"});
    ASSERT_NE(dialog.Get(), nullptr);
    EXPECT_EQ(FindChildWithCaption(dialog.Get(), "Button", "&Save"), dialog.Button(1));
    EXPECT_EQ(FindChildWithCaption(dialog.Get(), "button", "&save"), dialog.Button(0));
    EXPECT_EQ(FindChildWithCaption(dialog.Get(), "Button", "&SAVE"), nullptr);
    EXPECT_EQ(FindChildWithCaption(dialog.Get(), "Static", "&Save"), nullptr);
    EXPECT_EQ(FindChildWithCaption(dialog.Get(), "Button", "Sav"), nullptr);
}

TEST(DialogWindow, RelabelsTheSaveButtonWhenAButtonIsAboutToPaint) {
    TestDialog dialog({"&save", "&Save", "Cancel"});
    ASSERT_TRUE(DressDialog(dialog.Get()));
    HDC dc = GetDC(dialog.Button(2));
    SendMessageA(dialog.Get(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(dialog.Button(2)));
    ReleaseDC(dialog.Button(2), dc);

    EXPECT_EQ(WindowText(dialog.Button(1)), kSaveButtonRelabel.replacement);
    EXPECT_EQ(FontFace(dialog.Button(1)), kDisplayFontFace);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(dialog.Button(1), WM_GETFONT, 0, 0)),
              DialogFont(dialog.Get()));
    for (int untouched : {0, 2}) {
        EXPECT_NE(FontFace(dialog.Button(untouched)), kDisplayFontFace) << untouched;
    }
    EXPECT_EQ(WindowText(dialog.Button(0)), "&save");
    EXPECT_EQ(WindowText(dialog.Button(2)), "Cancel");
}

TEST(DialogWindow, OneFontPerDialogReleasedWithTheDialog) {
    TestDialog undressed({"OK"});
    EXPECT_EQ(DialogFont(undressed.Get()), nullptr);

    const int before = test::GdiObjectCount();
    for (int i = 0; i < 100; ++i) {
        TestDialog dialog({"&Save"});
        ASSERT_TRUE(DressDialog(dialog.Get()));
        const HFONT font = DialogFont(dialog.Get());
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(DialogFont(dialog.Get()), font);
        RelabelControl(dialog.Button(0), "x", font);
        dialog.Destroy();
        EXPECT_EQ(GetObjectType(font), 0u) << "the font outlived its dialog";
    }
    EXPECT_LE(test::GdiObjectCount(), before + 2);
}

}  // namespace
}  // namespace quorvel
