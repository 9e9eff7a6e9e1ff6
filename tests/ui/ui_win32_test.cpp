// The Windows parts of the user interface against the real system under
// Wine: the message box, the Save As dialog, the display font of a run, the
// result files and the window subclass.
#include <windows.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

#include "main/analyze_messages.h"
#include "main/startup_messages.h"
#include "settings/profile_settings_win32.h"
#include "shared/data_resource_win32.h"
#include "support/test_files.h"
#include "support/win32_test_support.h"
#include "ui/control_class_win32.h"
#include "ui/display_font.h"
#include "ui/display_font_win32.h"
#include "ui/message_box_win32.h"
#include "ui/message_prompt.h"
#include "ui/safe_save_win32.h"
#include "ui/save_dialog_win32.h"

namespace quorvel {

// Refuses every window the thread creates.
static LRESULT CALLBACK RefuseWindows(int code, WPARAM wParam, LPARAM lParam) {
    return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

// The box's title is not given to the system; the text and the OK, Yes and
// No buttons get the display font and those buttons Vietnamese captions; the
// caller's icon replaces the system's. The system lays the box out for its
// own font: in the display font each line of the text still fits on one
// line, above the buttons, and text and buttons stay inside the box (the
// wrong-length message once broke before "số."). Without the display font
// (its failure is reported at start-up) the box keeps the system's captions
// and font, which read without it. A hook installed before the box's own hears its events
// (and refuses every window here); a box that never opened gives 0.
TEST(ShowMessage, RedressesTheBoxOfEachStyleForItsFontAndChainsItsHook) {
    DisplayFontInstallation face;
    ASSERT_TRUE(face.Extract(LoadDataResource(GetModuleHandleA(nullptr), kDisplayFontResourceId)) &&
                face.Register());
    const HICON programIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    // The style; the button pressed, whose id ShowMessage gives back; the
    // caller's icon; the prompt; what was shown: the text and the buttons,
    // '*' after those in the display font, and the icon, the system's (s) or
    // the caller's (c). The row without '*' runs without the display font.
    const std::tuple<int, int, HICON, std::string, std::string> cases[] = {
        {MB_YESNO | MB_ICONQUESTION, IDNO, nullptr,
         AnalyzeMessagesFor(Language::Vietnamese).wrongLength, "text* &C\xE2* &Kh\xA4ng* s"},
        {MB_OKCANCEL | MB_ICONINFORMATION, IDOK, programIcon,
         NetworkEventsUnavailableMessage(Language::Vietnamese), "text* \x98\xE2ng* Cancel c"},
        {kStyleExclamationOk, IDOK, nullptr, "a", "text OK s"},
    };
    for (const auto& [style, press, icon, prompt, shown] : cases) {
        if (shown.find('*') == std::string::npos) face.Remove();
        test::SeenMessageBox seen;
        test::MessageBoxAnswerer answerer([&](HWND box) {
            seen = test::SeeMessageBox(box);
            RECT lines = {}, text = {}, button = {}, client = {};
            HWND control = GetDlgItem(box, 0xFFFF);  // the text, in Windows' and Wine's boxes
            GetWindowRect(control, &text);
            GetWindowRect(GetDlgItem(box, press), &button);
            GetClientRect(box, &client);
            MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&client), 2);
            UniqueWindowDc dc(control);
            ScopedSelection font(
                dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
            DrawTextA(dc.Get(), seen.text.text.c_str(), -1, &lines, DT_CALCRECT | DT_NOPREFIX);
            EXPECT_TRUE(lines.right <= text.right - text.left &&
                        lines.bottom <= text.bottom - text.top && text.bottom <= button.top &&
                        button.bottom <= client.bottom && text.right <= client.right);
            return press;
        });
        EXPECT_EQ(ShowMessage(nullptr, prompt, style, "t", icon), press);
        EXPECT_EQ(seen.systemTitle + "|" + seen.text.text, "|" + ReformatPrompt(prompt));
        std::string got = seen.text.fontFace == kDisplayFontFace ? "text*" : "text";
        for (const test::SeenControl& b : seen.buttons)
            got += " " + b.text + (b.fontFace == kDisplayFontFace ? "*" : "");
        EXPECT_EQ(got + (seen.icon == programIcon ? " c" : seen.icon ? " s" : " -"), shown);
    }
    UniqueHook refusing(SetWindowsHookExA(WH_CBT, RefuseWindows, nullptr, GetCurrentThreadId()));
    test::MessageBoxAnswerer unexpected([](HWND) { return IDNO; });  // should it open
    EXPECT_EQ(ShowMessage(nullptr, "never shown", MB_YESNO, "t", nullptr), 0);
}

// The system's own dialog, or relabelled in the display
// font (a font of its own, which goes with it) with its title drawn; when the
// system gives the Save button its caption back (as when the user picks a
// folder and then a file again), the next notification or button paint
// relabels it. The default extension is added. 260 characters with the
// terminator fill the path buffer: a longer name gives no path.
TEST(AskSavePath, AsksInEitherLanguageForAPathThatFitsTheBuffer) {
    test::TestFolder folder("save-dialog");
    const std::string typed = folder.PathOf("report");
    const std::string prefix = typed + std::string(259 - typed.size() - 4, 'n');
    const std::tuple<Language, std::string, std::string> cases[] = {
        {Language::English, typed, typed + ".txt"},
        {Language::Vietnamese, prefix + ".txt", prefix + ".txt"},
        {Language::Vietnamese, prefix + "n.txt", ""},
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
            SendMessageA(dialog, WM_CTLCOLORBTN, 0, reinterpret_cast<LPARAM>(save));
            shown += " " + test::WindowText(save) + "|" + test::DrawnTitle(dialog);
        };
        const test::SeenMessageBox seen =
            test::AnswerSaveDialog([&] { asked = AskSavePath(nullptr, language); }, name, act);
        // The dialog's system title, the face of its name label, the Save
        // button's caption each time the system gave it back, the drawn title.
        EXPECT_EQ(seen.systemTitle + "|" + shown,
                  language == Language::English
                      ? "Save As||&Save &Save|"
                      : " |QuorvelFont|&L\xA7u &L\xA7u|L\xA7u T\xCBp Tin");
        EXPECT_EQ(asked, path) << name.size();
        EXPECT_EQ(GetObjectType(font), 0u) << "the dialog's font outlived it";
    }
}

// The run writes the committed font into its temporary folder (TMP) for its
// captions (the Analyze button's here) and removes it with their font; when
// it cannot, it uses a file that already holds the font (a second running
// copy holds it open) or reports, in the interface language, and runs on in
// the design font, leaving another's file alone.
TEST(DisplayFont, TheRunInstallsTheFontForItsCaptionsOrReportsThatItCannot) {
    test::TestFolder folder("font-temp");
    const std::string file = folder.PathOf(kDisplayFontFileName), tmp = folder.PathOf("");
    const std::string font =
        test::ReadTestFile("Z:" QUORVEL_SOURCE_DIR "/Source/resources/quorvel.fon").value();
    // The file in TMP, held open (none: the program writes it); the file
    // there while the program runs, and after it.
    const std::tuple<std::string, std::string, std::optional<std::string>> cases[] = {
        {"", font, std::nullopt}, {font, font, font}, {"other", "other", "other"}};
    WriteSetting(kSettingsSection, kLanguageIdKey, "0");
    SetEnvironmentVariableA("TMP", tmp.c_str());
    for (const auto& [held, during, after] : cases) {
        const bool reported = during != font;
        if (!held.empty()) test::WriteTestFile(file, held);
        UniqueFile holder(held.empty() ? nullptr
                                       : CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                     nullptr, OPEN_EXISTING, 0, nullptr));
        std::string report;
        test::MessageBoxAnswerer catcher([&](HWND box) {
            report += test::DrawnTitle(box) + "|" + test::SeeMessageBox(box).text.text;
            return IDOK;
        });
        MainWindow* main = test::OpenShownMainWindow();
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(report, !reported ? ""
                                    : "Quorvel|" + ReformatPrompt(DisplayFontUnavailableMessage(
                                                       Language::Vietnamese, tmp)));
        EXPECT_EQ(test::ReadTestFile(file), during);
        HWND analyze = main->Control(kCm1Id);
        const auto captionFont = reinterpret_cast<HFONT>(SendMessageA(analyze, WM_GETFONT, 0, 0));
        EXPECT_EQ(test::FontFace(analyze), reported ? kDesignCaptionFontFace : kDisplayFontFace);
        main->Close();
        PumpPendingMessages(nullptr);
        EXPECT_TRUE(reported || GetObjectType(captionFont) == 0);
        holder.Reset();
        EXPECT_EQ(test::ReadTestFile(file), after);
        DeleteFileA(file.c_str());
    }
    SetEnvironmentVariableA("TMP", nullptr);  // TEMP serves the later tests
    test::DeleteProgramFile(kSettingsFileName);
}

// The text alone goes over a read-only hidden file, which is then neither,
// past a file and a folder of the temporary names, which stay. Each failure
// leaves the folder as it was: a missing folder, a folder of the name, and a
// read-only file another program holds open without sharing writing or
// deleting, as an editor would.
TEST(WindowsResultFiles, ReplacesTheFileOrLeavesTheFolderAsItWas) {
    test::TestFolder folder("result-files");
    const auto path = [&](const char* name) { return folder.PathOf(name); };
    const DWORD readOnlyHidden = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    for (const char* name : {"result.txt", "~qv1.tmp", "held.txt"})
        test::WriteTestFile(path(name), name);
    for (const char* name : {"result.txt", "held.txt"})
        SetFileAttributesA(path(name).c_str(), readOnlyHidden);
    for (const char* name : {"~qv2.tmp", "folder.txt"})
        CreateDirectoryA(path(name).c_str(), nullptr);
    UniqueFile holder(CreateFileA(path("held.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    WindowsResultFiles files;
    const std::string text("new\0\xFF\r\nlast", 10);
    const std::pair<const char*, SaveOutcome> cases[] = {
        {"result.txt", SaveOutcome::kSaved},
        {"missing\\result.txt", SaveOutcome::kFolderRefused},
        {"folder.txt", SaveOutcome::kReplaceFailed},
        {"held.txt", SaveOutcome::kReplaceFailed},
    };
    for (const auto& [name, outcome] : cases) {
        EXPECT_EQ(SaveReplacing(files, path(name), text), outcome) << name;
        EXPECT_EQ(test::FolderEntries(path("")).size(), 5u) << name;  // no file more or less
    }
    EXPECT_EQ(test::ReadTestFile(path("result.txt")), text);
    EXPECT_EQ(GetFileAttributesA(path("result.txt").c_str()) & readOnlyHidden, 0u);
    EXPECT_EQ(test::ReadTestFile(path("held.txt")), "held.txt");
    EXPECT_EQ(GetFileAttributesA(path("held.txt").c_str()) & readOnlyHidden, readOnlyHidden);
}

struct PlainWindow {
    LRESULT PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return CallPreviousProcedure(window, message, wParam, lParam);
    }
};
using PlainSubclass = WindowSubclass<PlainWindow, &PlainWindow::PlainProc>;

// WindowSubclass leaves the window by Remove, or when its window is
// destroyed first. (Its messages reach the object and chain on in every
// subclassed window of the main window tests.)
TEST(WindowSubclass, EndsByRemoveOrWithItsWindow) {
    UniqueWindow window = test::Popup();
    PlainWindow plain;
    PlainSubclass subclass(plain);
    ASSERT_TRUE(subclass.Install(window.Get()));
    subclass.Remove();
    EXPECT_EQ(PlainSubclass::Find(window.Get()), nullptr);
    ASSERT_TRUE(subclass.Install(window.Get()));
    window.Reset();
    EXPECT_FALSE(subclass.Installed());
}

}  // namespace quorvel
