// Shows a message box for a screenshot taken from outside:
//   message_box_demo READY TAKEN             a Vietnamese question with Yes and No
//   message_box_demo READY TAKEN LANGUAGE N  the program's box number N, in the
//                                            language of LanguageID LANGUAGE
//   message_box_demo count                   prints how many boxes there are
// Once the box is on screen it creates the file READY; when the file TAKEN
// appears it answers No (OK where there is no No) and ends with 0 (1 when the
// box did not take the answer, 2 when no screenshot was taken within half a
// minute or the arguments are wrong).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "main/analyze_messages.h"
#include "main/main_window_win32.h"
#include "main/online_messages.h"
#include "main/save_command.h"
#include "main/startup_messages.h"
#include "screenshot_pause_win32.h"
#include "ui/display_font.h"
#include "ui/message_box_win32.h"
#include "ui/message_prompt.h"

namespace quorvel {
namespace {

struct DemoBox {
    std::string prompt;
    int style;
    std::string title;
    // False for the boxes shown when the display font is missing.
    bool withDisplayFont = true;
};

// The program's boxes, each with the texts and style it is shown with.
std::vector<DemoBox> ProgramBoxes(Language language) {
    const AnalyzeMessages& analyze = AnalyzeMessagesFor(language);
    const std::string file = "C:\\Quorvel\\quorvel.dat";
    std::vector<DemoBox> boxes = {
        {analyze.wrongLength, kStyleExclamationOk, analyze.title},
        {WrongCheckDigitMessage(language, "1"), kStyleQuestionYesNo, analyze.title},
        {analyze.notFoundLocally, kStyleQuestionYesNo, analyze.title},
        {DownloadFailedMessage(language, 5), kStyleCriticalOk, analyze.title},
        {LoginRequiredMessage(language), kStyleExclamationOk, analyze.title},
        {AddHandsetQuestion(language), kStyleQuestionYesNo, analyze.title},
        {UserFileNotWrittenMessage(language, file), kStyleCriticalOk, analyze.title},
        {NetworkEventsUnavailableMessage(language), kStyleExclamationOk, kStartupFailureTitle},
        {DisplayFontUnavailableMessage(language, "C:\\windows\\temp\\"), kStyleExclamationOk,
         kStartupFailureTitle, false},
        {MainWindowUnavailableMessage(language), kStyleCriticalOk, kStartupFailureTitle, false},
    };
    for (SaveOutcome outcome :
         {SaveOutcome::kFolderRefused, SaveOutcome::kWriteFailed, SaveOutcome::kReplaceFailed}) {
        boxes.push_back({SaveFailedMessage(language, outcome, "C:\\results\\imei.txt"),
                         kStyleExclamationOk, SaveFailedTitle(language)});
    }
    return boxes;
}

}  // namespace
}  // namespace quorvel

int main(int argc, char** argv) {
    using namespace quorvel;
    if (argc == 2 && std::string(argv[1]) == "count") {
        std::printf("%zu\n", ProgramBoxes(Language::English).size());
        return 0;
    }
    if (argc != 3 && argc != 5) return 2;
    const AnalyzeMessages& vietnamese = AnalyzeMessagesFor(Language::Vietnamese);
    DemoBox box = {vietnamese.wrongLength, kStyleQuestionYesNo, vietnamese.title};
    if (argc == 5) {
        const std::vector<DemoBox> boxes =
            ProgramBoxes(std::string(argv[3]) == "0" ? Language::Vietnamese : Language::English);
        const std::size_t number = std::strtoul(argv[4], nullptr, 10);
        if (number >= boxes.size()) return 2;
        box = boxes[number];
    }
    // The main window installs the display font for as long as it is open,
    // as in the program; the question is shown over it, the program's boxes
    // alone.
    MainWindow* mainWindow = nullptr;
    if (box.withDisplayFont) {
        mainWindow = MainWindow::Open(GetModuleHandleA(nullptr));
        if (!mainWindow) return 2;
        if (argc == 3) ShowWindow(mainWindow->Handle(), SW_SHOW);
        PumpPendingMessages(mainWindow->Handle());
    }
    const int press = (box.style & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
    int result = 0;
    const bool taken = test::PauseForScreenshot(argv[1], argv[2], press, [&] {
        result = ShowMessage(mainWindow ? mainWindow->Handle() : nullptr, box.prompt, box.style,
                             box.title, nullptr);
    });
    if (mainWindow) mainWindow->Close();
    if (!taken) return 2;
    return result == press ? 0 : 1;
}
