#include <windows.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings/profile_settings_win32.h"
#include "support/message_box_script.h"
#include "support/test_files.h"
#include "support/test_folder_win32.h"
#include "support/win32_test_support.h"
#include "ui/control_class_win32.h"
#include "ui/display_font.h"
#include "ui/message_prompt.h"

namespace quorvel {

// The face the system really draws a font with.
static std::string DrawnFace(HFONT font) {
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    ScopedSelection selection(dc.Get(), font);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc.Get(), LF_FACESIZE, face);
    return face;
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
    struct Case {
        std::string tmp, held;                     // TMP, and the file there, held open
        std::optional<std::string> during, after;  // the file while the program runs, after it
    };
    const Case cases[] = {{tmp, "", font, std::nullopt},
                          {tmp, font, font, font},
                          {tmp, "not the font", "not the font", "not the font"},
                          {tmp + "missing\\", "", std::nullopt, std::nullopt}};
    WriteSetting(kSettingsSection, kLanguageIdKey, "0");
    char previousTmp[MAX_PATH + 1] = {};
    GetEnvironmentVariableA("TMP", previousTmp, sizeof previousTmp);
    for (const Case& c : cases) {
        const bool reported = c.during != font;
        SetEnvironmentVariableA("TMP", c.tmp.c_str());
        if (!c.held.empty()) test::WriteTestFile(file, c.held);
        UniqueFile holder(c.held.empty() ? nullptr
                                         : CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                       nullptr, OPEN_EXISTING, 0, nullptr));
        test::MessageBoxScript catcher({IDOK});
        MainWindow* main = test::OpenShownMainWindow();
        ASSERT_NE(main, nullptr);
        std::string report;
        for (const auto& box : catcher.Seen()) report += box.title + "|" + box.text;
        EXPECT_EQ(report, !reported ? ""
                                    : "Quorvel|" + ReformatPrompt(DisplayFontUnavailableMessage(
                                                       Language::Vietnamese, c.tmp)));
        EXPECT_EQ(test::ReadTestFile(file), c.during);
        const auto captionFont =
            reinterpret_cast<HFONT>(SendMessageA(main->Control(kCm1Id), WM_GETFONT, 0, 0));
        EXPECT_EQ(DrawnFace(captionFont), reported ? kDesignCaptionFontFace : kDisplayFontFace);
        main->Close();
        PumpPendingMessages(nullptr);
        EXPECT_TRUE(reported || GetObjectType(captionFont) == 0);
        holder.Reset();
        EXPECT_EQ(test::ReadTestFile(file), c.after);
        DeleteFileA(file.c_str());
    }
    SetEnvironmentVariableA("TMP", previousTmp);
    test::DeleteProgramFile(kSettingsFileName);
}

}  // namespace quorvel
