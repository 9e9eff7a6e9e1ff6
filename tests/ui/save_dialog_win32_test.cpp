#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "shared/handles_win32.h"
#include "support/save_dialog_driver.h"
#include "support/test_folder_win32.h"
#include "support/win32_test_support.h"
#include "ui/captions.h"
#include "ui/dialog_window_win32.h"
#include "ui/message_prompt.h"
#include "ui/save_dialog_texts.h"
#include "ui/save_dialog_win32.h"

namespace quorvel {
namespace {

using test::WindowText;

const std::string kSystemFontFace = "MS Shell Dlg";

class SaveDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner_.Reset(CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100,
                                     nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
        ASSERT_TRUE(owner_);
    }

    test::SeenSaveDialog Ask(Language language, const test::SaveDialogAnswer& answer) {
        return test::AnswerSaveDialog([&] { path_ = AskSavePath(owner_.Get(), language); }, answer);
    }

    test::TestFolder folder_{"save-dialog"};
    UniqueWindow owner_;
    std::string path_ = "not asked";
};

TEST_F(SaveDialogTest, EnglishIsTheSystemsOwnDialogWithEnglishTypes) {
    const std::string typed = folder_.PathOf("report");
    const test::SeenSaveDialog seen = Ask(Language::English, {typed.c_str(), {}, {}});
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.owner, owner_.Get());
    EXPECT_EQ(seen.systemTitle, "Save As");
    EXPECT_EQ(seen.typeNames,
              (std::vector<std::string>{"Text Documents (*.txt)", "All Files (*.*)"}));
    EXPECT_EQ(seen.selectedType, 0);
    EXPECT_EQ(seen.FontOf("Button", "&Save"), kSystemFontFace) << seen.Describe();
    EXPECT_EQ(seen.FontOf("Button", "Cancel"), kSystemFontFace) << seen.Describe();
    for (const test::SeenChild& child : seen.children) EXPECT_NE(child.fontFace, kDisplayFontFace);
    EXPECT_TRUE(seen.laterBoxes.empty());
    // The default extension is added to a name typed without one; the dialog
    // itself writes nothing.
    EXPECT_EQ(path_, typed + ".txt");
    EXPECT_TRUE(folder_.Entries().empty());
}

TEST_F(SaveDialogTest, VietnameseIsRelabelledAndDrawsItsTitle) {
    SetDialogTitle("an earlier title");
    const std::string typed = folder_.PathOf("report");
    const test::SeenSaveDialog seen = Ask(Language::Vietnamese, {typed.c_str(), {}, {}});
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.owner, owner_.Get());
    // The system's title is one space; the real one is drawn into the bar.
    EXPECT_EQ(seen.systemTitle, " ");
    EXPECT_GT(seen.titlePixels, 30);
    EXPECT_EQ(DialogTitle(), kSaveDialogTitle);

    EXPECT_EQ(seen.FontOf("Button", "&L\xA7u"), kDisplayFontFace) << seen.Describe();
    EXPECT_EQ(seen.FontOf("Button", "&Tho\xC0t"), kDisplayFontFace) << seen.Describe();
    EXPECT_EQ(seen.FontOf("Static", "&N\xA5i l\xA7u:"), kDisplayFontFace) << seen.Describe();
    EXPECT_EQ(seen.FontOf("Static", "T\xA3n t\xCBp t&in:"), kDisplayFontFace) << seen.Describe();
    EXPECT_EQ(seen.FontOf("Static", "&D\xC1ng t\xCBp tin:"), kDisplayFontFace) << seen.Describe();
    for (const char* english : {"&Save", "Cancel", "Save &in:", "File &name:", "Files of &type:"}) {
        for (const test::SeenChild& child : seen.children) EXPECT_NE(child.text, english);
    }
    EXPECT_EQ(seen.typeNames, (std::vector<std::string>{"T\xAAi li\xD6u v\x9Fn b\xB6n (*.txt)",
                                                        "T\xCAt c\xB6 (*.*)"}));
    EXPECT_EQ(seen.selectedType, 0);
    EXPECT_EQ(seen.typeListFont, kDisplayFontFace);
    EXPECT_EQ(path_, typed + ".txt");
}

// The system gives the Save button its caption back (as when the user picks
// a folder and then a file again); the next notification relabels it. (Its
// next paint does too: DialogWindow.RelabelsTheSaveButtonWhenAButtonIsAboutToPaint.)
TEST_F(SaveDialogTest, TheSaveButtonIsRelabelledAgainAfterTheSystemRenamesIt) {
    std::string caption;
    const auto act = [&](HWND dialog) {
        HWND save = GetDlgItem(dialog, IDOK);
        HWND types = GetDlgItem(dialog, cmb1);
        SetWindowTextA(save, kSaveButtonRelabel.systemCaption);
        SendMessageA(types, CB_SETCURSEL, 1, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(types));
        caption = WindowText(save);
    };
    ASSERT_TRUE(Ask(Language::Vietnamese, {nullptr, act, {}}).shown);
    EXPECT_EQ(caption, "&L\xA7u");
}

// Both languages go through the same call; the hooked one is cancelled.
TEST_F(SaveDialogTest, CancellingGivesNoPath) {
    EXPECT_TRUE(Ask(Language::Vietnamese, {nullptr, {}, {}}).shown);
    EXPECT_EQ(path_, "");
}

// 260 characters with the terminator fill the buffer; a longer name is not
// taken, and what the system leaves in the buffer then is no path.
TEST_F(SaveDialogTest, APathFitsTheBufferOrNothingIsChosen) {
    const std::string prefix = folder_.Path() + "\\";
    for (std::size_t length : {259u, 260u}) {
        const std::string typed = prefix + std::string(length - prefix.size() - 4, 'n') + ".txt";
        path_ = "not asked";
        EXPECT_TRUE(Ask(Language::Vietnamese, {typed.c_str(), {}, {}}).shown);
        EXPECT_EQ(path_, length == 259 ? typed : "") << length;
    }
}

// The dialog as Windows lays it out (its captions differ from Wine's), with
// the child dialog the system makes for the hook.
class WindowsLayoutDialog {
public:
    WindowsLayoutDialog() {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        dialog_.Reset(CreateWindowExA(0, MAKEINTATOM(32770), " ", WS_POPUP | WS_CAPTION, 0, 0, 400,
                                      300, nullptr, nullptr, instance, nullptr));
        const std::pair<const char*, const char*> children[] = {
            {"Static", "Save &in:"},      {"ComboBox", ""}, {"Static", "File &name:"},
            {"Static", "Save as &type:"}, {"ComboBox", ""}, {"Button", "&Save"},
            {"Button", "Cancel"},         {"#32770", ""},
        };
        for (const auto& [className, caption] : children) {
            controls_.push_back(CreateWindowExA(0, className, caption, WS_CHILD | WS_VISIBLE, 0, 0,
                                                50, 20, dialog_.Get(), nullptr, instance, nullptr));
        }
    }
    HWND Get() const { return dialog_.Get(); }
    HWND Control(std::size_t index) const { return controls_[index]; }
    HWND HookChild() const { return controls_.back(); }

private:
    UniqueWindow dialog_;
    std::vector<HWND> controls_;
};

TEST(SaveDialogHookProc, RelabelsWindowsCaptionsAtEveryNotification) {
    WindowsLayoutDialog dialog;
    ASSERT_NE(dialog.Get(), nullptr);
    EXPECT_EQ(SaveDialogHookProc(dialog.HookChild(), WM_INITDIALOG, 0, 0), 0u);
    EXPECT_EQ(GetWindowLongPtrA(dialog.Get(), GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(DialogWindowProc));
    NMHDR notification = {dialog.HookChild(), 0, CDN_SELCHANGE};
    EXPECT_EQ(SaveDialogHookProc(dialog.HookChild(), WM_NOTIFY, 0,
                                 reinterpret_cast<LPARAM>(&notification)),
              0u);

    const HFONT font = DialogFont(dialog.Get());
    ASSERT_NE(font, nullptr);
    const auto fontOf = [&](std::size_t index) {
        return reinterpret_cast<HFONT>(SendMessageA(dialog.Control(index), WM_GETFONT, 0, 0));
    };
    struct Expected {
        std::size_t index;
        const char* caption;
        bool displayFont;
    };
    const Expected expected[] = {
        {0, "&N\xA5i l\xA7u:", true},
        {1, "", false},  // the folder list keeps the system's font
        {2, "T\xA3n t\xCBp t&in:", true},
        {3, "&D\xC1ng t\xCBp tin:", true},
        {4, "", true},  // the file-type list
        {5, "&L\xA7u", true},
        {6, "&Tho\xC0t", true},
    };
    for (const Expected& e : expected) {
        EXPECT_EQ(WindowText(dialog.Control(e.index)), e.caption) << e.index;
        EXPECT_EQ(fontOf(e.index) == font, e.displayFont) << e.index;
    }

    // Relabelled controls are not found again; a renamed Save button is.
    SetWindowTextA(dialog.Control(5), "&Save");
    SaveDialogHookProc(dialog.HookChild(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notification));
    EXPECT_EQ(WindowText(dialog.Control(5)), "&L\xA7u");
    EXPECT_EQ(WindowText(dialog.Control(0)), "&N\xA5i l\xA7u:");
}

}  // namespace
}  // namespace quorvel
