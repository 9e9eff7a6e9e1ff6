// The main window F1: its controls, start-up and shutdown sequences, the busy
// switch of its four buttons, and its caption button. Its state is the
// MainWindow object's, found from the window's user data by the one window
// procedure, which dispatches every message in HandleMessage.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "download/download.h"
#include "download/socket_window_win32.h"
#include "main/caption_button_win32.h"
#include "main/imei_box_win32.h"
#include "main/main_layout.h"
#include "main/main_view.h"
#include "main/online_session.h"
#include "shared/handles_win32.h"
#include "ui/display_font_win32.h"

namespace quorvel {

// The main window's title: the product name with a space after each letter.
inline constexpr const char* kMainWindowTitle = "Q u o r v e l ";
inline constexpr const char* kMainWindowClass = "QuorvelMainWindow";
inline constexpr const char* kResultFontFace = "Fixedsys";
inline constexpr int kProgramIconId = 1;

// The main window receives the socket notifications of its download object's
// transport and passes them to that download object.
class MainWindow final : public SocketNotificationSink, public MainView {
public:
    // Creates F1 and its controls and runs the start-up steps. The window is
    // not shown yet. Returns null when the window cannot be created.
    static MainWindow* Open(HINSTANCE instance);

    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND Handle() const { return window_; }
    HWND Control(MainControlId id) const { return GetDlgItem(window_, id); }

    // The busy switch: enables or disables CM1..CM4 in that order, then sets
    // the program's mouse pointer (arrow, or arrow with hourglass when busy).
    void EnableCommands(bool enable) override;
    bool IsBusy() const { return busy_; }

    // Closes F1: the shutdown steps run and the object is deleted, at once or,
    // when F1 closes inside one of its handlers, once that handler is done;
    // until then Handle() is null and the window's methods do nothing.
    void Close();

    // Passes a socket notification to MYCONX's ProcessMessage (lParam as
    // the message); hwnd, uMsg and wParam are not looked at. Returns 0.
    LRESULT ThuTucXuLy(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) override;

    // The commands of the buttons.
    void Analyze();
    void Save();
    void Clear();
    void Options();

    // Sets the six captions in the language of LanguageID, read anew.
    void ApplyMainCaptions();

    // The window as the Analyze command sees it.
    std::string ImeiText() override;
    std::string ResultText() override;
    void SetImeiText(const std::string& text) override;
    void SetResultText(const std::string& text) override;
    int ShowMessage(const std::string& prompt, int style, const std::string& title) override;
    void StartOnlineLookup(const std::string& imei) override;

private:
    explicit MainWindow(HWND window);
    ~MainWindow() = default;
    void OnCommand(int controlId, int notification);
    void ShowAbout();
    void EnterHandler() { ++handlersRunning_; }
    void LeaveHandler();

    static LRESULT CALLBACK ClassWindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateControls(HINSTANCE instance);
    void StartUp();
    void ShutDown();

    // Start-up and shutdown steps that belong to other parts of the program.
    void ExtractDisplayFont();
    void GiveImeiBoxNumberStyle();
    void AddAboutToSystemMenu();
    void InstallCaptionButton();
    void RegisterDisplayFont();
    void SetDisplayFontOnCaptionedControls();
    void CreateDownloadObject();
    void ReleaseDownloadObject();
    void RemoveDisplayFont();
    void RemoveCaptionButton();

    HWND window_;  // null once F1 is destroyed
    int handlersRunning_ = 0;
    ImeiBox imeiBox_;  // TX1's behaviour
    CaptionButton captionButton_;
    UniqueFont resultFont_;   // "Fixedsys" on TX1 and TX2
    UniqueFont captionFont_;  // the captioned controls' font: design, then display font
    DisplayFontInstallation displayFont_;
    bool busy_ = false;
    HWND lastFocus_ = nullptr;  // the control that had the focus when F1 was left
    OnlineSession online_;      // the on-line look-up and MYCONX
};

// Runs the program's message loop until F1 closes; keyboard navigation
// (tab order, access keys, Enter for the default button) goes through
// IsDialogMessageA on F1.
int RunMessageLoop(HWND mainWindow);

// Handles the messages that are waiting, as the message loop would, and
// returns when the queue is empty. For tests and nested waits.
void PumpPendingMessages(HWND mainWindow);

}  // namespace quorvel
