#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "main/main_window_win32.h"
#include "settings/profile_settings_win32.h"
#include "support/canvas.h"
#include "support/message_box_probe.h"
#include "support/win32_test_support.h"
#include "ui/about_text.h"
#include "ui/about_win32.h"
#include "ui/caption_button_win32.h"
#include "ui/dialog_window_win32.h"
#include "ui/message_prompt.h"

namespace quorvel {
namespace {

constexpr COLORREF kLetter = RGB(128, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
// The CompanyName of the program's version record (Source/resources/quorvel.rc).
constexpr const char* kContact = "Contact: quorvel@example.org";

LPARAM Packed(POINT point) { return MAKELPARAM(point.x, point.y); }

int LetterPixelsInImage() {
    int count = 0;
    for (const char* row : kCaptionImageRows) {
        for (const char* p = row; *p; ++p) count += *p == '#';
    }
    return count;
}

// The caption button as it is on screen.
struct SeenButton {
    int letterPixels = 0;
    RECT letter = {};       // bounds of the letter's pixels, in window coordinates
    int blackInLetter = 0;  // black pixels within those bounds
};

SeenButton SeeButton(HWND window) {
    const PixelRect button = GetCaptionButtonRect(window).button;
    test::Canvas canvas(button.Width(), button.Height(), RGB(1, 2, 3));
    {
        UniqueWindowDc dc(window);
        BitBlt(canvas.Dc(), 0, 0, button.Width(), button.Height(), dc.Get(), button.left,
               button.top, SRCCOPY);
    }
    SeenButton seen;
    RECT& r = seen.letter;
    r = {button.right, button.bottom, button.left, button.top};
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            if (canvas.Pixel(x, y) != kLetter) continue;
            ++seen.letterPixels;
            r.left = std::min<LONG>(r.left, button.left + x);
            r.top = std::min<LONG>(r.top, button.top + y);
            r.right = std::max<LONG>(r.right, button.left + x + 1);
            r.bottom = std::max<LONG>(r.bottom, button.top + y + 1);
        }
    }
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            seen.blackInLetter += canvas.Pixel(x - button.left, y - button.top) == kBlack;
        }
    }
    return seen;
}

// What an About message showed, if one opened.
struct SeenAbout {
    bool shown = false;
    test::SeenMessageBox box;
    std::string title;
};

class CaptionButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::DeleteProgramFile(kSettingsFileName);
        // Away from the window, so that no default handling below finds the
        // pointer on the caption bar.
        SetCursorPos(0, 0);
    }
    void TearDown() override {
        if (window_ && IsWindow(window_)) DestroyWindow(window_);
        test::DeleteProgramFile(kSettingsFileName);
    }

    HWND Open() {
        MainWindow* main = test::OpenShownMainWindow();
        window_ = main ? main->Handle() : nullptr;
        if (window_) {
            SetWindowPos(window_, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            PumpPendingMessages(window_);
        }
        return window_;
    }

    // The screen point at the button's centre moved by (dx, dy).
    POINT ButtonPoint(int dx = 0, int dy = 0) const {
        const CaptionButtonPlace place = GetCaptionButtonRect(window_);
        return {place.window.left + (place.button.left + place.button.right) / 2 + dx,
                place.window.top + (place.button.top + place.button.bottom) / 2 + dy};
    }
    // A screen point on the caption bar, left of the button.
    POINT CaptionPoint() const { return ButtonPoint(-60, 0); }
    // A screen point in the client area.
    POINT ClientPoint() const {
        POINT point = {20, 20};
        ClientToScreen(window_, &point);
        return point;
    }

    LPARAM ClientPacked(POINT screen) const {
        ScreenToClient(window_, &screen);
        return Packed(screen);
    }
    LRESULT PressAt(POINT screen) {
        return SendMessageA(window_, WM_NCLBUTTONDOWN, HTCAPTION, Packed(screen));
    }
    void MoveTo(POINT screen) { SendMessageA(window_, WM_MOUSEMOVE, 0, ClientPacked(screen)); }
    void ReleaseAt(POINT screen) { SendMessageA(window_, WM_LBUTTONUP, 0, ClientPacked(screen)); }
    void RedrawFrame() {
        RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    }

    // Runs act with an answerer that notes the About message and closes it.
    template <typename Act>
    SeenAbout Watch(Act act) {
        SeenAbout seen;
        SetDialogTitle("");
        test::MessageBoxAnswerer answerer([&](HWND box) {
            seen.box = test::SeeMessageBox(box);
            return IDOK;
        });
        act();
        seen.shown = answerer.Answered();
        seen.title = DialogTitle();
        return seen;
    }

    void ExpectAbout(const SeenAbout& seen, const std::string& name) {
        ASSERT_TRUE(seen.shown) << name;
        EXPECT_EQ(seen.box.text.text, ReformatPrompt(AboutText({1, 2, 0}, kContact))) << name;
        EXPECT_EQ(seen.title, kAboutTitle) << name;
        EXPECT_EQ(seen.box.owner, window_) << name;
        const auto icon = reinterpret_cast<HICON>(GetClassLongPtrA(window_, GCLP_HICON));
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(seen.box.icon, icon) << name << ": the main window's icon";
    }

    HWND window_ = nullptr;
};

TEST_F(CaptionButtonTest, SystemMenuEndsWithASeparatorAndAbout) {
    ASSERT_NE(Open(), nullptr);
    HMENU menu = GetSystemMenu(window_, FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 3) << "the system's own items stay";
    char text[64] = {};
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    item.dwTypeData = text;
    item.cch = sizeof text;
    ASSERT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(count - 2), TRUE, &item));
    EXPECT_TRUE(item.fType & MFT_SEPARATOR);
    item.dwTypeData = text;
    item.cch = sizeof text;
    ASSERT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(count - 1), TRUE, &item));
    EXPECT_FALSE(item.fType & MFT_SEPARATOR);
    EXPECT_EQ(item.wID, kAboutCommandId);
    EXPECT_STREQ(text, "&About Quorvel...");
}

TEST_F(CaptionButtonTest, TheMenuItemShowsTheSameAboutInBothLanguages) {
    struct Case {
        const char* name;
        const char* languageId;  // null: no settings file
    };
    const Case cases[] = {{"English", nullptr}, {"Vietnamese", "0"}};
    for (const Case& c : cases) {
        if (c.languageId) WriteSetting(kSettingsSection, kLanguageIdKey, c.languageId);
        ASSERT_NE(Open(), nullptr) << c.name;
        ExpectAbout(Watch([&] { SendMessageA(window_, WM_SYSCOMMAND, kAboutCommandId, 0); }),
                    c.name);
        DestroyWindow(window_);
        test::DeleteProgramFile(kSettingsFileName);
    }
}

// Which releases open About is the tracker's rule; the window adds the capture
// and the button's place in window coordinates (its top-left pixel is inside).
TEST_F(CaptionButtonTest, APressCapturesAndAReleaseOnTheButtonOpensAbout) {
    struct Case {
        const char* name;
        bool onButton;
    };
    const Case cases[] = {{"released on its top-left pixel", true},
                          {"released over the client area", false}};
    ASSERT_NE(Open(), nullptr);
    for (const Case& c : cases) {
        const PixelRect button = GetCaptionButtonRect(window_).button;
        RECT frame;
        GetWindowRect(window_, &frame);
        const POINT edge = {frame.left + button.left, frame.top + button.top};
        EXPECT_EQ(PressAt(ButtonPoint()), 0) << c.name;
        EXPECT_EQ(GetCapture(), window_) << c.name << ": the press captures the mouse";
        const SeenAbout seen = Watch([&] { ReleaseAt(c.onButton ? edge : ClientPoint()); });
        EXPECT_NE(GetCapture(), window_) << c.name << ": the release lets the mouse go";
        EXPECT_EQ(seen.shown, c.onButton) << c.name;
        if (c.onButton) ExpectAbout(seen, c.name);
    }
}

TEST_F(CaptionButtonTest, ALeftPressElsewhereOnTheCaptionIsHandledAsUsual) {
    ASSERT_NE(Open(), nullptr);
    // The default handling (a window move) runs until the button comes up;
    // a release waiting in the queue ends it at once.
    PostMessageA(window_, WM_LBUTTONUP, 0, 0);
    PressAt(CaptionPoint());
    MSG waiting;
    EXPECT_FALSE(PeekMessageA(&waiting, window_, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE))
        << "the press did not reach the default handling";
    EXPECT_FALSE(Watch([&] { ReleaseAt(ButtonPoint()); }).shown);
}

TEST_F(CaptionButtonTest, ARightPressOnTheButtonIsConsumed) {
    struct Case {
        const char* name;
        bool onButton;
        bool consumed;
    };
    const Case cases[] = {{"on the button", true, true},
                          {"elsewhere on the caption", false, false}};
    ASSERT_NE(Open(), nullptr);
    for (const Case& c : cases) {
        // The default handling waits for the right button's release; one is
        // queued, and it is still there when the press was consumed.
        PostMessageA(window_, WM_RBUTTONUP, 0, 0);
        const POINT point = c.onButton ? ButtonPoint() : CaptionPoint();
        EXPECT_EQ(SendMessageA(window_, WM_NCRBUTTONDOWN, HTCAPTION, Packed(point)), 0) << c.name;
        MSG waiting;
        EXPECT_EQ(PeekMessageA(&waiting, window_, WM_RBUTTONUP, WM_RBUTTONUP, PM_REMOVE) != 0,
                  c.consumed)
            << c.name;
        EXPECT_NE(GetCapture(), window_) << c.name;
    }
}

TEST_F(CaptionButtonTest, APressGivesAnInactiveMainWindowTheFocus) {
    ASSERT_NE(Open(), nullptr);
    UniqueWindow other(CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                       nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(other);
    SetActiveWindow(other.Get());
    ASSERT_NE(GetActiveWindow(), window_);
    PressAt(ButtonPoint());
    EXPECT_EQ(GetFocus(), window_);
    ReleaseAt(CaptionPoint());
}

TEST_F(CaptionButtonTest, TheImageIsDrawnOnePixelLowerAndRighterWhilePushed) {
    ASSERT_NE(Open(), nullptr);
    RedrawFrame();
    const SeenButton normal = SeeButton(window_);
    EXPECT_EQ(normal.letterPixels, LetterPixelsInImage()) << "the whole letter, in dark red";
    EXPECT_EQ(normal.blackInLetter, 0) << "black is transparent";

    PressAt(ButtonPoint());
    const SeenButton pushed = SeeButton(window_);
    EXPECT_EQ(pushed.letterPixels, normal.letterPixels);
    EXPECT_EQ(pushed.letter.left, normal.letter.left + 1);
    EXPECT_EQ(pushed.letter.top, normal.letter.top + 1);

    MoveTo(CaptionPoint());
    EXPECT_EQ(SeeButton(window_).letter.left, normal.letter.left) << "dragged out: normal";
    MoveTo(ButtonPoint());
    EXPECT_EQ(SeeButton(window_).letter.left, pushed.letter.left) << "back in: pushed";
    ReleaseAt(CaptionPoint());
    EXPECT_EQ(SeeButton(window_).letter.top, normal.letter.top) << "released: normal";

    // A frame redraw while held draws it normal too.
    PressAt(ButtonPoint());
    RedrawFrame();
    EXPECT_EQ(SeeButton(window_).letter.top, normal.letter.top);
    ReleaseAt(CaptionPoint());
}

TEST_F(CaptionButtonTest, KeepsItsPlaceLeftOfTheMinimiseButtonWhenTheWindowGrows) {
    ASSERT_NE(Open(), nullptr);
    RedrawFrame();
    const SeenButton before = SeeButton(window_);
    RECT frame;
    GetWindowRect(window_, &frame);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left + 80, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    RedrawFrame();
    const SeenButton after = SeeButton(window_);
    EXPECT_EQ(after.letterPixels, LetterPixelsInImage());
    EXPECT_EQ(after.letter.left, before.letter.left + 80);
    EXPECT_EQ(after.letter.top, before.letter.top);
}

TEST_F(CaptionButtonTest, LosingTheCaptureLetsTheButtonGo) {
    ASSERT_NE(Open(), nullptr);
    RedrawFrame();
    const SeenButton normal = SeeButton(window_);
    PressAt(ButtonPoint());
    UniqueWindow other(CreateWindowExA(0, "STATIC", "other", WS_POPUP, 0, 0, 10, 10, nullptr,
                                       nullptr, GetModuleHandleA(nullptr), nullptr));
    SetCapture(other.Get());
    ReleaseCapture();
    EXPECT_EQ(SeeButton(window_).letter.left, normal.letter.left) << "drawn normal again";
    EXPECT_FALSE(Watch([&] { ReleaseAt(ButtonPoint()); }).shown);
}

TEST_F(CaptionButtonTest, DrawingLeavesNoGdiObjectBehind) {
    ASSERT_NE(Open(), nullptr);
    RedrawFrame();
    const int before = test::GdiObjectCount();
    for (int i = 0; i < 20; ++i) {
        PressAt(ButtonPoint());
        MoveTo(CaptionPoint());
        ReleaseAt(CaptionPoint());
        RedrawFrame();
    }
    EXPECT_LE(test::GdiObjectCount(), before + 2);
}

// The window's procedure when WM_NCDESTROY, its last message, arrives.
HWND gWatchedWindow = nullptr;
LONG_PTR gProcedureAtNcDestroy = 0;

LRESULT CALLBACK NoteProcedureAtNcDestroy(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->hwnd == gWatchedWindow && sent->message == WM_NCDESTROY) {
        gProcedureAtNcDestroy = GetWindowLongPtrA(sent->hwnd, GWLP_WNDPROC);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(CaptionButtonTest, ThePreviousProcedureIsBackWhenTheWindowCloses) {
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(window_, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(MainWindowProc));
    const auto classProcedure = static_cast<LONG_PTR>(GetClassLongPtrA(window_, GCLP_WNDPROC));
    ASSERT_NE(classProcedure, reinterpret_cast<LONG_PTR>(MainWindowProc));

    gWatchedWindow = window_;
    gProcedureAtNcDestroy = 0;
    UniqueHook hook(
        SetWindowsHookExA(WH_CALLWNDPROC, NoteProcedureAtNcDestroy, nullptr, GetCurrentThreadId()));
    ASSERT_TRUE(hook);
    const int before = test::GdiObjectCount();
    DestroyWindow(window_);
    EXPECT_EQ(gProcedureAtNcDestroy, classProcedure);
    EXPECT_LT(test::GdiObjectCount(), before) << "the image and fonts went with the window";

    // A window opened afterwards has its own subclass and About item.
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(window_, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(MainWindowProc));
    ExpectAbout(Watch([&] { SendMessageA(window_, WM_SYSCOMMAND, kAboutCommandId, 0); }),
                "second window");
}

}  // namespace
}  // namespace quorvel
