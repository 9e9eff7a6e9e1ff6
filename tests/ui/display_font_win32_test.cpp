#include <windows.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "main/main_window_win32.h"
#include "settings/profile_settings_win32.h"
#include "shared/data_resource_win32.h"
#include "support/message_box_script.h"
#include "support/test_files.h"
#include "support/test_folder_win32.h"
#include "support/win32_test_support.h"
#include "ui/captions.h"
#include "ui/control_class_win32.h"
#include "ui/display_font.h"
#include "ui/display_font_win32.h"

namespace quorvel {
namespace {

const MainControlId kCaptioned[] = {kLb1Id, kLbiId, kCm1Id, kCm2Id, kCm3Id, kCm4Id};

using test::ReadTestFile;
using test::WriteTestFile;

int CALLBACK NoteFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// Whether the system lists a font of that face.
bool FaceIsListed(const char* face) {
    LOGFONTA wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExA(screen, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

// The face and metrics the system really draws a font with.
struct DrawnFont {
    std::string face;
    TEXTMETRICA metrics;
};

DrawnFont Drawn(HFONT font) {
    DrawnFont drawn = {};
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    HGDIOBJ previous = SelectObject(dc.Get(), font);
    char face[LF_FACESIZE] = {};
    drawn.face.assign(face, static_cast<std::size_t>(GetTextFaceA(dc.Get(), LF_FACESIZE, face) > 0
                                                         ? lstrlenA(face)
                                                         : 0));
    GetTextMetricsA(dc.Get(), &drawn.metrics);
    SelectObject(dc.Get(), previous);
    return drawn;
}

// Writes the file and keeps it open for reading only, as a second running
// copy of the program keeps its registered font file: it cannot be written.
UniqueFile HoldFile(const std::string& path, const std::string& bytes) {
    WriteTestFile(path, bytes);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    return UniqueFile(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

HFONT ControlFont(MainWindow& main, MainControlId id) {
    return reinterpret_cast<HFONT>(SendMessageA(main.Control(id), WM_GETFONT, 0, 0));
}

// Each test gets a temporary folder of its own (TMP), inside its program
// folder, and puts back the system's afterwards.
class DisplayFontTest : public ::testing::Test {
protected:
    void SetUp() override {
        char previous[MAX_PATH + 1] = {};
        hadTmp_ = GetEnvironmentVariableA("TMP", previous, sizeof previous) > 0;
        previousTmp_ = previous;
        folder_ = test::ProgramFilePath("font-temp") + "\\";
        CleanFolder();
        CreateDirectoryA(folder_.c_str(), nullptr);
        SetEnvironmentVariableA("TMP", folder_.c_str());
        test::DeleteProgramFile(kSettingsFileName);
    }

    void TearDown() override {
        if (window_ && IsWindow(window_)) DestroyWindow(window_);
        SetEnvironmentVariableA("TMP", hadTmp_ ? previousTmp_.c_str() : nullptr);
        CleanFolder();
    }

    void CleanFolder() {
        const std::string font = folder_ + kDisplayFontFileName;
        DeleteFileA(font.c_str());
        RemoveDirectoryA(font.c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    MainWindow* Open() {
        MainWindow* main = test::OpenShownMainWindow();
        EXPECT_NE(main, nullptr);
        window_ = main ? main->Handle() : nullptr;
        return main;
    }

    void Close(MainWindow* main) {
        main->Close();
        PumpPendingMessages(nullptr);
        window_ = nullptr;
    }

    std::string FontFile() const { return folder_ + kDisplayFontFileName; }
    static std::string FontBytes() {
        return LoadDataResource(GetModuleHandleA(nullptr), kDisplayFontResourceId);
    }

    std::string folder_;
    std::string previousTmp_;
    bool hadTmp_ = false;
    HWND window_ = nullptr;
};

TEST_F(DisplayFontTest, TheTemporaryFolderIsTheSystemsWithABackslash) {
    const std::string fits = "C:\\" + std::string(250, 'f');
    const std::string longerThanTheFirstBuffer = "C:\\" + std::string(254, 'g');
    struct Case {
        std::string tmp;
        std::string folder;
    };
    const Case cases[] = {
        {"C:\\quorvel-temp", "C:\\quorvel-temp\\"},
        {"C:\\quorvel-temp\\", "C:\\quorvel-temp\\"},
        {"C:\\Temp\\Th\xEA", "C:\\Temp\\Th\xEA\\"},
        {fits, fits + "\\"},
        {longerThanTheFirstBuffer, longerThanTheFirstBuffer + "\\"},
    };
    for (const Case& c : cases) {
        SetEnvironmentVariableA("TMP", c.tmp.c_str());
        EXPECT_EQ(GetTempFolder(), c.folder) << c.tmp.size() << " characters";
        EXPECT_EQ(CurrentDisplayFontFilePath(), c.folder + kDisplayFontFileName);
    }
}

TEST_F(DisplayFontTest, TheResourceIsTheCommittedFontInUsEnglish) {
    HMODULE program = GetModuleHandleA(nullptr);
    EXPECT_NE(FindResourceExA(program, "DATA", MAKEINTRESOURCEA(kDisplayFontResourceId),
                              MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)),
              nullptr);
    const std::string bytes = FontBytes();
    EXPECT_EQ(bytes.substr(0, 2), "MZ");
    EXPECT_EQ(ReadTestFile(std::string("Z:") + QUORVEL_SOURCE_DIR "/Source/resources/quorvel.fon"),
              bytes);
    EXPECT_EQ(LoadDataResource(program, kDisplayFontResourceId + 100), "");
}

TEST_F(DisplayFontTest, StartUpWritesTheFontAndSetsItsFaceOnTheCaptionedControls) {
    test::MessageBoxScript catcher({});
    MainWindow* main = Open();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(catcher.Seen().empty());
    EXPECT_EQ(test::FolderEntries(folder_), std::vector<std::string>{kDisplayFontFileName});
    EXPECT_EQ(ReadTestFile(FontFile()), FontBytes());
    EXPECT_TRUE(FaceIsListed(kDisplayFontFace));

    for (MainControlId id : kCaptioned) {
        HFONT font = ControlFont(*main, id);
        EXPECT_EQ(Drawn(font).face, kDisplayFontFace) << "control " << id;
        // Size and style as designed: only the face changes.
        LOGFONTA logFont = {};
        ASSERT_NE(GetObjectA(font, sizeof logFont, &logFont), 0);
        EXPECT_EQ(logFont.lfHeight, -11);
        EXPECT_EQ(logFont.lfWeight, FW_NORMAL);
        EXPECT_FALSE(logFont.lfItalic || logFont.lfUnderline || logFont.lfStrikeOut);
    }
    EXPECT_EQ(test::FontFace(main->Control(kTx1Id)), kResultFontFace);
    EXPECT_EQ(test::FontFace(main->Control(kTx2Id)), kResultFontFace);
}

TEST_F(DisplayFontTest, TheRegisteredFaceIsTheProgramsBitmapFont) {
    MainWindow* main = Open();
    ASSERT_NE(main, nullptr);
    // Message boxes ask for height 8, the main window for 8 points.
    for (int height : {8, -11}) {
        UniqueFont font(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                    0, 0, 0, 0, kDisplayFontFace));
        // The file's own metrics are checked natively; these show it is the one drawn.
        const DrawnFont drawn = Drawn(font.Get());
        EXPECT_EQ(drawn.face, kDisplayFontFace) << "height " << height;
        EXPECT_EQ(drawn.metrics.tmHeight, 13);
        EXPECT_EQ(drawn.metrics.tmDefaultChar, 128);
    }
}

TEST_F(DisplayFontTest, ANormalCloseRemovesTheFileTheFaceAndTheFontObject) {
    MainWindow* main = Open();
    ASSERT_NE(main, nullptr);
    HFONT controlFont = ControlFont(*main, kCm1Id);
    ASSERT_NE(controlFont, nullptr);
    Close(main);
    EXPECT_EQ(GetFileAttributesA(FontFile().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(test::FolderEntries(folder_).empty());
    EXPECT_FALSE(FaceIsListed(kDisplayFontFace));
    EXPECT_EQ(GetObjectType(controlFont), 0u);

    // The next start installs it again.
    main = Open();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ReadTestFile(FontFile()), FontBytes());
    EXPECT_TRUE(FaceIsListed(kDisplayFontFace));
}

TEST_F(DisplayFontTest, AFileLeftByAnEarlierRunIsOverwritten) {
    WriteTestFile(FontFile(), "left over from a run that did not close");
    MainWindow* main = Open();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ReadTestFile(FontFile()), FontBytes());
    EXPECT_EQ(Drawn(ControlFont(*main, kCm1Id)).face, kDisplayFontFace);
}

TEST_F(DisplayFontTest, AFileHeldOpenWithTheSameFontIsUsedAsItIs) {
    UniqueFile firstCopy = HoldFile(FontFile(), FontBytes());
    test::MessageBoxScript catcher({});
    MainWindow* main = Open();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(catcher.Seen().empty());
    EXPECT_EQ(Drawn(ControlFont(*main, kLb1Id)).face, kDisplayFontFace);
}

TEST_F(DisplayFontTest, AFontFileThatCannotBeWrittenIsReportedAndTheProgramRunsOn) {
    const std::string stranger = "a file held open that is not the font";
    // Each case spoils the temporary font file (path given) or the folder.
    struct Case {
        const char* what;
        UniqueFile (*prepare)(const std::string& fontFile, const std::string& stranger);
    };
    const Case cases[] = {
        {"a file held open with other bytes",
         [](const std::string& fontFile, const std::string& bytes) {
             return HoldFile(fontFile, bytes);
         }},
        {"a temporary folder that does not exist",
         [](const std::string& fontFile, const std::string&) {
             SetEnvironmentVariableA("TMP", (fontFile + "-missing\\").c_str());
             return UniqueFile();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        UniqueFile holder = c.prepare(FontFile(), stranger);
        test::MessageBoxScript catcher({IDOK});
        MainWindow* main = Open();
        ASSERT_NE(main, nullptr);
        ASSERT_EQ(catcher.Seen().size(), 1u);
        const auto& box = catcher.Seen()[0];
        EXPECT_EQ(box.systemTitle, "Quorvel");
        EXPECT_NE(box.text.find("display font"), std::string::npos) << box.text;
        EXPECT_NE(box.text.find(GetTempFolder()), std::string::npos) << box.text;
        EXPECT_TRUE(box.hasIcon);

        // The window runs on, in the design font, with its captions.
        EXPECT_TRUE(IsWindowVisible(window_));
        EXPECT_FALSE(FaceIsListed(kDisplayFontFace));
        for (MainControlId id : kCaptioned) {
            EXPECT_EQ(test::FontFace(main->Control(id)), kDesignCaptionFontFace) << id;
        }
        EXPECT_EQ(test::WindowText(main->Control(kCm1Id)),
                  MainCaptionsFor(Language::English).analyzeButton);

        // Closing leaves alone what the program did not write.
        Close(main);
        EXPECT_EQ(catcher.Seen().size(), 1u);
        const DWORD attributes = GetFileAttributesA(FontFile().c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            EXPECT_EQ(ReadTestFile(FontFile()), stranger);
        }
        holder.Reset();
        SetEnvironmentVariableA("TMP", folder_.c_str());
        CleanFolder();
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
}

TEST_F(DisplayFontTest, OnlyWhatWasWrittenAndRegisteredIsRemoved) {
    {
        DisplayFontInstallation notAFont;
        EXPECT_TRUE(notAFont.Extract("these bytes are no font"));
        EXPECT_FALSE(notAFont.Register());
        DisplayFontInstallation empty;
        EXPECT_FALSE(empty.Extract(""));
    }
    EXPECT_TRUE(test::FolderEntries(folder_).empty());  // deleted when its owner went
    // Someone else's file at that name survives an owner that never wrote it.
    WriteTestFile(FontFile(), "someone else's");
    { DisplayFontInstallation unused; }
    EXPECT_EQ(ReadTestFile(FontFile()), "someone else's");
}

}  // namespace
}  // namespace quorvel
