#include <windows.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings/profile_settings_win32.h"
#include "support/message_box_script.h"
#include "support/test_files.h"
#include "support/test_folder_win32.h"
#include "support/win32_test_support.h"
#include "ui/captions.h"
#include "ui/control_class_win32.h"
#include "ui/display_font.h"
#include "ui/display_font_win32.h"

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
// captions (the Analyze button's here) and removes it with their font; when it cannot, it uses a
// file that already holds the font (a second running copy holds it open) or reports and runs on in
// the design font, leaving another's file alone. The report reads without the
// display font, in the interface language (Vietnamese without marks here).
TEST(DisplayFont, TheRunInstallsTheFontForItsCaptionsOrReportsThatItCannot) {
    test::TestFolder folder("font-temp");
    const std::string file = folder.PathOf(kDisplayFontFileName);
    const std::string font =
        test::ReadTestFile("Z:" QUORVEL_SOURCE_DIR "/Source/resources/quorvel.fon").value();
    struct Case {
        std::string held;  // the file there, held open; "missing": no temporary folder
        bool reported;
        std::optional<std::string> during, after;  // the file while the program runs, after it
    };
    const std::string other = "not the font";
    const Case cases[] = {{"", false, font, std::nullopt},
                          {font, false, font, font},
                          {other, true, other, other},
                          {"missing", true, std::nullopt, std::nullopt}};
    WriteSetting(kSettingsSection, kLanguageIdKey, "0");
    char previousTmp[MAX_PATH + 1] = {};
    GetEnvironmentVariableA("TMP", previousTmp, sizeof previousTmp);
    for (const Case& c : cases) {
        const bool there = !c.held.empty() && c.held != "missing";
        SetEnvironmentVariableA("TMP",
                                (folder.Path() + (c.held == "missing" ? "\\no\\" : "\\")).c_str());
        if (there) test::WriteTestFile(file, c.held);
        UniqueFile holder(!there ? nullptr
                                 : CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                               OPEN_EXISTING, 0, nullptr));
        test::MessageBoxScript catcher({IDOK});
        MainWindow* main = test::OpenShownMainWindow();
        ASSERT_NE(main, nullptr);
        ASSERT_EQ(catcher.Seen().size(), c.reported ? 1u : 0u) << c.held.size();
        for (const auto& box : catcher.Seen()) {
            EXPECT_EQ(box.text.rfind("Quorvel khong the cai dat phong chu hien thi", 0), 0u);
            EXPECT_NE(box.text.find(GetTempFolder()), box.text.npos);
            EXPECT_EQ(box.title, "Quorvel");
        }
        EXPECT_EQ(test::ReadTestFile(file), c.during);
        const auto captionFont =
            reinterpret_cast<HFONT>(SendMessageA(main->Control(kCm1Id), WM_GETFONT, 0, 0));
        EXPECT_EQ(DrawnFace(captionFont), c.reported ? kDesignCaptionFontFace : kDisplayFontFace);
        main->Close();
        PumpPendingMessages(nullptr);
        EXPECT_TRUE(c.reported || GetObjectType(captionFont) == 0);
        holder.Reset();
        EXPECT_EQ(test::ReadTestFile(file), c.after);
        DeleteFileA(file.c_str());
    }
    SetEnvironmentVariableA("TMP", previousTmp);
    test::DeleteProgramFile(kSettingsFileName);
}

}  // namespace quorvel
