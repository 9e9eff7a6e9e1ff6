#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/message_box_probe.h"
#include "support/win32_test_support.h"
#include "ui/captions.h"
#include "ui/message_box_win32.h"
#include "ui/message_prompt.h"

namespace quorvel {
namespace {

using test::SeenControl;
using test::SeenMessageBox;

const std::string kOk = "\x98\xE2ng";
const std::string kYes = "&C\xE2";
const std::string kNo = "&Kh\xA4ng";
const std::string kVietnamesePrompt =
    "S\xE7 IMEI kh\xA4ng h\xEDp l\xD6. \x98"
    "\xE8 d\xAAi c\xEF"
    "a s\xE7 IMEI ph\xB6i l\xAA 15 ch\xF6 s\xE7.";
const std::string kVietnameseTitle = "Th\xA4ng b\xC0o";

SeenMessageBox Show(const std::string& prompt, int style, const std::string& title, HICON icon,
                    int pressId, int* result) {
    return test::ShowAndAnswer(
        [&] { return ShowMessage(GetActiveWindow(), prompt, style, title, icon); }, pressId,
        result);
}

bool HasDisplayFont(const SeenControl& control) {
    return control.fontFace == kDisplayFontFace && control.fontWeight == 500 &&
           control.fontHeight == 8;
}

HICON ProgramIcon() { return LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1)); }

TEST(ShowMessage, StylesGiveTheirButtonsAndResults) {
    struct Button {
        int id;
        std::string caption;
        bool displayFont;
    };
    struct Case {
        const char* name;
        int style;
        const std::string& prompt;
        int press;
        std::vector<Button> buttons;
        int result;
    };
    const std::string english = "The IMEI number is not valid.";
    const Case cases[] = {
        {"critical", kStyleCriticalOk, kVietnamesePrompt, IDOK, {{IDOK, kOk, true}}, kResultOk},
        {"question, no",
         kStyleQuestionYesNo,
         kVietnamesePrompt,
         IDNO,
         {{IDYES, kYes, true}, {IDNO, kNo, true}},
         kResultNo},
        {"OK and Cancel keeps Cancel",
         MB_OKCANCEL,
         english,
         IDCANCEL,
         {{IDOK, kOk, true}, {IDCANCEL, "Cancel", false}},
         IDCANCEL},
        {"Abort, Retry and Ignore are left alone",
         MB_ABORTRETRYIGNORE,
         english,
         IDRETRY,
         {{IDABORT, "&Abort", false}, {IDRETRY, "&Retry", false}, {IDIGNORE, "&Ignore", false}},
         IDRETRY},
    };
    for (const Case& c : cases) {
        int result = -1;
        const SeenMessageBox seen =
            Show(c.prompt, c.style, kVietnameseTitle, nullptr, c.press, &result);
        EXPECT_EQ(result, c.result) << c.name;
        ASSERT_EQ(seen.buttons.size(), c.buttons.size()) << c.name;
        for (std::size_t i = 0; i < c.buttons.size(); ++i) {
            EXPECT_EQ(seen.buttons[i].id, c.buttons[i].id) << c.name;
            EXPECT_EQ(seen.buttons[i].text, c.buttons[i].caption) << c.name;
            EXPECT_EQ(HasDisplayFont(seen.buttons[i]), c.buttons[i].displayFont)
                << c.name << ": " << seen.buttons[i].text << " in " << seen.buttons[i].fontFace;
        }
        EXPECT_TRUE(HasDisplayFont(seen.text)) << c.name << ": " << seen.text.fontFace;
        EXPECT_EQ(seen.systemTitle, "") << c.name;
    }
}

TEST(ShowMessage, TheTextIsThePromptLaidOutForTheTitle) {
    int result = 0;
    const SeenMessageBox seen = Show("a\r\nbc", kStyleExclamationOk, "T", nullptr, IDOK, &result);
    EXPECT_EQ(seen.text.text, "a\r\nbc       \r\n\r\n");
    EXPECT_EQ(result, kResultOk);
}

TEST(ShowMessage, TheCallersIconReplacesTheSystemIconOnlyWhereThereIsOne) {
    const HICON programIcon = ProgramIcon();
    ASSERT_NE(programIcon, nullptr);
    struct Case {
        const char* name;
        int style;
        HICON icon;
        bool expectIcon;
        bool expectProgramIcon;
    };
    const Case cases[] = {
        {"information with the program icon", kStyleInformationOk, programIcon, true, true},
        {"exclamation keeps the system icon", kStyleExclamationOk, nullptr, true, false},
        {"no icon style shows none", MB_OK, programIcon, false, false},
    };
    for (const Case& c : cases) {
        int result = 0;
        const SeenMessageBox seen = Show("Quorvel 1.2", c.style, "About", c.icon, IDOK, &result);
        EXPECT_EQ(seen.icon != nullptr, c.expectIcon) << c.name;
        EXPECT_EQ(seen.icon == programIcon, c.expectProgramIcon) << c.name;
    }
}

// Pixels of the caption-text colours in the caption bar of a box: as it
// opened, after it was told it is inactive, and after its frame was then
// repainted.
struct TitlePixels {
    int active = 0;
    int inactive = 0;
    int repaintedInActiveColour = 0;
    int repaintedInInactiveColour = 0;
    std::string systemTitle;
};

TitlePixels TitlePixelsOf(const std::string& title) {
    const COLORREF activeColour = GetSysColor(COLOR_CAPTIONTEXT);
    const COLORREF inactiveColour = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    TitlePixels pixels;
    test::MessageBoxAnswerer answerer([&](HWND box) {
        pixels.systemTitle = test::WindowText(box);
        pixels.active = test::CaptionPixelsOfColour(box, activeColour);
        SendMessageA(box, WM_NCACTIVATE, FALSE, 0);
        pixels.inactive = test::CaptionPixelsOfColour(box, inactiveColour);
        // Still the thread's active window, but drawn as inactive.
        RedrawWindow(box, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        pixels.repaintedInActiveColour = test::CaptionPixelsOfColour(box, activeColour);
        pixels.repaintedInInactiveColour = test::CaptionPixelsOfColour(box, inactiveColour);
        return IDOK;
    });
    ShowMessage(GetActiveWindow(), "The same prompt for every title.", kStyleInformationOk, title,
                nullptr);
    EXPECT_TRUE(answerer.Answered());
    return pixels;
}

TEST(ShowMessage, TheTitleIsDrawnIntoTheCaptionNotGivenToTheSystem) {
    ASSERT_NE(GetSysColor(COLOR_CAPTIONTEXT), GetSysColor(COLOR_INACTIVECAPTIONTEXT));
    const TitlePixels untitled = TitlePixelsOf("");
    const TitlePixels titled = TitlePixelsOf("WWWWWWWWWW");
    EXPECT_EQ(titled.systemTitle, "");
    EXPECT_GT(titled.active, untitled.active + 30);
    EXPECT_GT(titled.inactive, untitled.inactive + 30);
    EXPECT_GT(titled.repaintedInInactiveColour, untitled.repaintedInInactiveColour + 30);
    EXPECT_EQ(titled.repaintedInActiveColour, untitled.repaintedInActiveColour);

    // The title is cut at 200 pixels: a much longer one adds little.
    const TitlePixels longer = TitlePixelsOf(std::string(200, 'W'));
    EXPECT_LT(longer.active - titled.active, 4 * (titled.active - untitled.active));
}

TEST(ShowMessage, TheBoxIsOwnedByItsOwnerWhicheverWindowIsActive) {
    HWND windows[2] = {};
    for (HWND& window : windows) {
        window = CreateWindowExA(0, "STATIC", "w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
    }
    HWND owner = windows[0];
    SetActiveWindow(windows[1]);
    bool ownerEnabled = true;
    HWND boxOwner = nullptr;
    test::MessageBoxAnswerer answerer([&](HWND box) {
        boxOwner = GetWindow(box, GW_OWNER);
        ownerEnabled = IsWindowEnabled(owner) != FALSE;
        return IDOK;
    });
    EXPECT_EQ(ShowMessage(owner, "x", kStyleExclamationOk, "t", nullptr), kResultOk);
    EXPECT_EQ(boxOwner, owner);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    for (HWND window : windows) DestroyWindow(window);
}

HHOOK gRefusingHook = nullptr;
int gActivationsSeen = 0;

// Refuses the creation of every dialog, further down the hook chain.
LRESULT CALLBACK RefuseDialogs(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
        if (create->lpcs->lpszClass == MAKEINTATOM(32770) ||
            test::ClassName(reinterpret_cast<HWND>(wParam)) == "#32770") {
            return 1;
        }
    }
    return CallNextHookEx(gRefusingHook, code, wParam, lParam);
}

LRESULT CALLBACK CountActivations(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && test::ClassName(reinterpret_cast<HWND>(wParam)) == "#32770") {
        ++gActivationsSeen;
    }
    return CallNextHookEx(gRefusingHook, code, wParam, lParam);
}

TEST(ShowMessage, PassesHookEventsOnAndUnhooksWhenTheBoxNeverOpens) {
    // The hook chains: a hook installed before it still sees the box activate
    // (only the box: its own hook is gone before any other window activates)...
    gRefusingHook = SetWindowsHookExA(WH_CBT, CountActivations, nullptr, GetCurrentThreadId());
    gActivationsSeen = 0;
    int result = 0;
    test::ShowAndAnswer([] { return ShowMessage(GetActiveWindow(), "x", MB_OK, "t", nullptr); },
                        IDOK, &result);
    UnhookWindowsHookEx(gRefusingHook);
    EXPECT_EQ(gActivationsSeen, 1);

    // ...and its answer counts: refused, the box never opens.
    gRefusingHook = SetWindowsHookExA(WH_CBT, RefuseDialogs, nullptr, GetCurrentThreadId());
    ASSERT_NE(gRefusingHook, nullptr);
    {
        test::MessageBoxAnswerer unexpected([](HWND) { return IDNO; });
        EXPECT_EQ(ShowMessage(GetActiveWindow(), "never shown", kStyleQuestionYesNo, "t", nullptr),
                  0);
        EXPECT_FALSE(unexpected.Answered());
    }
    UnhookWindowsHookEx(gRefusingHook);

    // No hook was left behind to re-dress the next box the system shows.
    const SeenMessageBox plain = test::ShowAndAnswer(
        [] { return MessageBoxA(nullptr, "plain", "System", MB_OK); }, IDOK, &result);
    ASSERT_EQ(plain.buttons.size(), 1u);
    EXPECT_EQ(plain.buttons[0].text, "OK");
    EXPECT_FALSE(HasDisplayFont(plain.text));
    EXPECT_EQ(plain.systemTitle, "System");
    EXPECT_EQ(result, IDOK);
}

TEST(ShowMessage, ABoxOpenedOverAnotherKeepsEachItsOwnTitle) {
    const std::string outerTitle(30, 'W');
    int outerBefore = 0;
    int outerAfter = 0;
    int innerResult = 0;
    test::MessageBoxAnswerer outer([&](HWND box) {
        outerBefore = test::CaptionPixelsOfColour(box, GetSysColor(COLOR_CAPTIONTEXT));
        test::ShowAndAnswer(
            [] { return ShowMessage(GetActiveWindow(), "inner", MB_YESNO, "i", nullptr); }, IDNO,
            &innerResult);
        // Active again, the outer box has repainted its caption.
        EXPECT_EQ(GetActiveWindow(), box);
        outerAfter = test::CaptionPixelsOfColour(box, GetSysColor(COLOR_CAPTIONTEXT));
        return IDOK;
    });
    EXPECT_EQ(ShowMessage(GetActiveWindow(), "outer", MB_OK, outerTitle, nullptr), IDOK);
    EXPECT_EQ(innerResult, kResultNo);
    EXPECT_GT(outerBefore, 30);
    EXPECT_EQ(outerAfter, outerBefore);
}

TEST(ShowMessage, TwoHundredBoxesHoldNoMoreGdiObjectsThanOne) {
    int result = 0;
    test::ShowAndAnswer(
        [] { return ShowMessage(GetActiveWindow(), "warm up", kStyleQuestionYesNo, "t", nullptr); },
        IDYES, &result);
    const int before = test::GdiObjectCount();
    ASSERT_GT(before, 0);
    int yes = 0;
    for (int i = 0; i < 200; ++i) {
        test::ShowAndAnswer(
            [] {
                return ShowMessage(GetActiveWindow(), kVietnamesePrompt, kStyleQuestionYesNo,
                                   kVietnameseTitle, nullptr);
            },
            IDYES, &result);
        yes += result == kResultYes;
    }
    EXPECT_EQ(yes, 200);
    EXPECT_LE(test::GdiObjectCount(), before + 5);
}

}  // namespace
}  // namespace quorvel
