#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/main_window_win32.h"
#include "settings/profile_settings_win32.h"
#include "support/win32_test_support.h"
#include "ui/captions.h"

namespace quorvel {
namespace {

using test::ClassName;
using test::WindowText;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { test::DeleteProgramFile(kSettingsFileName); }
    void TearDown() override {
        if (window_ && IsWindow(window_)) DestroyWindow(window_);
        test::DeleteProgramFile(kSettingsFileName);
    }

    MainWindow* Open() {
        MainWindow* main = test::OpenShownMainWindow();
        EXPECT_NE(main, nullptr);
        window_ = main ? main->Handle() : nullptr;
        return main;
    }

    std::vector<std::string> Captions(MainWindow& main) {
        std::vector<std::string> texts;
        for (MainControlId id : {kLb1Id, kLbiId, kCm1Id, kCm2Id, kCm3Id, kCm4Id}) {
            texts.push_back(WindowText(main.Control(id)));
        }
        return texts;
    }

    static std::vector<std::string> Expected(Language language) {
        const MainCaptions& c = MainCaptionsFor(language);
        return {c.enterImeiLabel, c.imeiTipLabel, c.analyzeButton,
                c.saveButton,     c.clearButton,  c.optionsButton};
    }

    HWND window_ = nullptr;
};

TEST_F(MainWindowTest, HasItsControlsInTabOrder) {
    MainWindow* main = Open();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowText(window_), "Q u o r v e l ");
    EXPECT_EQ(WindowText(window_).size(), 14u);

    struct Expectation {
        MainControlId id;
        const char* className;
    };
    const Expectation order[] = {{kLb1Id, "Static"}, {kTx1Id, "Edit"},   {kLbiId, "Static"},
                                 {kTx2Id, "Edit"},   {kCm1Id, "Button"}, {kCm2Id, "Button"},
                                 {kCm3Id, "Button"}, {kCm4Id, "Button"}};
    // Child windows in z-order are the tab order.
    HWND child = GetWindow(window_, GW_CHILD);
    for (const Expectation& expected : order) {
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(GetDlgCtrlID(child), expected.id);
        EXPECT_STRCASEEQ(ClassName(child).c_str(), expected.className);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    ASSERT_NE(main->Control(kPxiId), nullptr);

    // TAB moves from the IMEI box through the tab stops in order.
    const MainControlId stops[] = {kTx1Id, kTx2Id, kCm1Id, kCm3Id, kCm4Id};  // CM2 disabled
    HWND at = main->Control(kTx1Id);
    for (std::size_t i = 1; i < std::size(stops); ++i) {
        at = GetNextDlgTabItem(window_, at, FALSE);
        EXPECT_EQ(GetDlgCtrlID(at), stops[i]);
    }
}

TEST_F(MainWindowTest, StylesFontsAndInitialButtonStates) {
    MainWindow* main = Open();
    ASSERT_NE(main, nullptr);
    HWND imeiBox = main->Control(kTx1Id);
    HWND resultBox = main->Control(kTx2Id);
    EXPECT_TRUE(GetWindowLongA(imeiBox, GWL_STYLE) & ES_NUMBER);
    EXPECT_FALSE(GetWindowLongA(imeiBox, GWL_STYLE) & ES_MULTILINE);
    const LONG resultStyle = GetWindowLongA(resultBox, GWL_STYLE);
    EXPECT_TRUE(resultStyle & ES_MULTILINE);
    EXPECT_TRUE(resultStyle & WS_VSCROLL);
    EXPECT_EQ(test::FontFace(imeiBox), "Fixedsys");
    EXPECT_EQ(test::FontFace(resultBox), "Fixedsys");

    EXPECT_EQ(GetWindowLongA(main->Control(kCm1Id), GWL_STYLE) & 0x0F, BS_DEFPUSHBUTTON);
    EXPECT_EQ(LOWORD(SendMessageA(window_, DM_GETDEFID, 0, 0)), kCm1Id);
    EXPECT_TRUE(IsWindowEnabled(main->Control(kCm1Id)));
    EXPECT_FALSE(IsWindowEnabled(main->Control(kCm2Id)));
    EXPECT_TRUE(IsWindowEnabled(main->Control(kCm3Id)));
    EXPECT_TRUE(IsWindowEnabled(main->Control(kCm4Id)));

    EXPECT_NE(
        SendMessageA(window_, WM_GETICON, ICON_BIG, 0) || GetClassLongPtrA(window_, GCLP_HICON), 0);
}

// The language rule and the caption bytes are the core's; here the captions
// reach their controls.
TEST_F(MainWindowTest, CaptionsOfTheLanguageSetting) {
    MainWindow* main = Open();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Captions(*main), Expected(Language::English));
    DestroyWindow(window_);
    WriteSetting(kSettingsSection, kLanguageIdKey, "0");
    main = Open();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Captions(*main), Expected(Language::Vietnamese));
}

TEST_F(MainWindowTest, EnableCommandsSwitchesTheFourButtonsAndThePointer) {
    MainWindow* main = Open();
    ASSERT_NE(main, nullptr);
    const MainControlId buttons[] = {kCm1Id, kCm2Id, kCm3Id, kCm4Id};
    main->EnableCommands(false);
    for (MainControlId id : buttons) EXPECT_FALSE(IsWindowEnabled(main->Control(id))) << id;
    EXPECT_TRUE(main->IsBusy());
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, MAKEINTRESOURCEA(32650)));
    main->EnableCommands(true);
    for (MainControlId id : buttons) EXPECT_TRUE(IsWindowEnabled(main->Control(id))) << id;
    EXPECT_FALSE(main->IsBusy());
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
}

TEST_F(MainWindowTest, EnterInTheImeiBoxPressesTheDefaultButton) {
    MainWindow* main = Open();
    ASSERT_NE(main, nullptr);
    HWND imeiBox = main->Control(kTx1Id);
    HWND resultBox = main->Control(kTx2Id);
    // A TAC of the built-in records: the analysis asks no question.
    SetWindowTextA(imeiBox, "352099001761481");
    SetFocus(imeiBox);
    PostMessageA(imeiBox, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PumpPendingMessages(window_);
    EXPECT_EQ(WindowText(resultBox).rfind("Input IMEI: 352099001761481\r\n", 0), 0u);

    // A disabled default button is not pressed.
    SetWindowTextA(resultBox, "");
    main->EnableCommands(false);
    PostMessageA(imeiBox, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PumpPendingMessages(window_);
    EXPECT_EQ(WindowText(resultBox), "");
}

TEST_F(MainWindowTest, ClosesCleanly) {
    MainWindow* main = Open();
    ASSERT_NE(main, nullptr);
    HWND imeiBox = main->Control(kTx1Id);
    main->Close();
    PumpPendingMessages(nullptr);
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_FALSE(IsWindow(imeiBox));
    window_ = nullptr;
    // The class stays registered, so the window opens again in one process.
    MainWindow* again = Open();
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(IsWindow(again->Handle()));
}

}  // namespace
}  // namespace quorvel
