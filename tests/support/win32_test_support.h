// Helpers for tests of the real windows under Wine: the main window, a
// fresh folder for a test's files, and the message boxes and Save As dialog
// that code under test opens, seen and answered.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "main/main_window_win32.h"
#include "shared/handles_win32.h"
#include "shared/program_folder_win32.h"
#include "shared/text.h"
#include "shared/window_text_win32.h"
#include "ui/dialog_window_win32.h"

namespace quorvel::test {

using quorvel::WindowText;

// Opens F1 as the program does, shows it and handles what it posted; null
// when it cannot be opened.
inline MainWindow* OpenShownMainWindow() {
    MainWindow* main = MainWindow::Open(GetModuleHandleA(nullptr));
    if (main) ShowWindow(main->Handle(), SW_SHOW);
    if (main) PumpPendingMessages(main->Handle());
    return main;
}

// A small shown window of its own.
inline UniqueWindow Popup() {
    return UniqueWindow(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr,
                                        nullptr, nullptr, nullptr));
}

// The class name of a window, as the system reports it.
inline std::string ClassName(HWND window) {
    char name[256] = {};
    return std::string(name, static_cast<std::size_t>(GetClassNameA(window, name, sizeof name)));
}

// The face name of the font a window or control uses (asked in-process);
// empty when it has the system font.
inline std::string FontFace(HWND window) {
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfFaceName;
}

// Full path of a file in the program folder (the test program's folder).
inline std::string ProgramFilePath(const char* name) {
    return AddBackslash(ProgramFolder()) + name;
}

// Deletes a file in the program folder, if it is there.
inline void DeleteProgramFile(const char* name) { DeleteFileA(ProgramFilePath(name).c_str()); }

// The names of a folder's entries, sorted.
inline std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        if (found.cFileName[0] != '.') names.push_back(found.cFileName);  // not "." nor ".."
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// Empties and removes a folder, its read-only files included.
inline void RemoveTree(const std::string& path) {
    for (const std::string& name : FolderEntries(path)) {
        const std::string entry = path + "\\" + name;
        SetFileAttributesA(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileA(entry.c_str())) RemoveTree(entry);
    }
    RemoveDirectoryA(path.c_str());
}

// A fresh folder for a test's files, in the program folder; it is emptied
// and removed when the test ends.
class TestFolder {
public:
    explicit TestFolder(const char* name) : path_(ProgramFilePath(name)) {
        RemoveTree(path_);
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TestFolder() { RemoveTree(path_); }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The full path of an entry of the folder.
    std::string PathOf(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// Seeing and answering the message boxes that code under test opens: a
// thread timer finds the box once it is shown and painted, hands it to the
// test, and presses the button the test asks for.
struct SeenControl {
    std::string text, fontFace;  // fontFace empty when the control has the system font
};

// What a message box or dialog showed.
struct SeenMessageBox {
    std::string systemTitle;
    SeenControl text;                  // the message
    std::vector<SeenControl> buttons;  // in tab order
    HICON icon = nullptr;              // the icon shown, null when none
    HWND owner = nullptr;
};

inline SeenMessageBox SeeMessageBox(HWND box) {
    SeenMessageBox seen{WindowText(box), {}, {}, nullptr, GetWindow(box, GW_OWNER)};
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const SeenControl control = {WindowText(child), FontFace(child)};
        const bool isIcon = (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
        if (ClassName(child) == "Button")
            seen.buttons.push_back(control);
        else if (ClassName(child) == "Static" && !isIcon)
            seen.text = control;
        else if (ClassName(child) == "Static" && IsWindowVisible(child))
            seen.icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    }
    return seen;
}

// The title drawn into a dressed dialog's caption bar; empty when the dialog
// is not dressed.
inline std::string DrawnTitle(HWND dialog) {
    const DressedDialog* dressed = DressedDialog::Of(dialog);
    return dressed ? dressed->Title() : std::string();
}

// Pixels of the colour in an area of the window (window coordinates), or in
// its caption bar, as they are on screen.
inline int PixelsOfColour(HWND window, const RECT& area, COLORREF colour) {
    UniqueWindowDc dc(window);
    int count = 0;
    for (int x = area.left; x < area.right; ++x)
        for (int y = area.top; y < area.bottom; ++y) count += GetPixel(dc.Get(), x, y) == colour;
    return count;
}
inline int CaptionPixelsOfColour(HWND window, COLORREF colour) {
    RECT frame;
    GetWindowRect(window, &frame);
    const int height = GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION);
    return PixelsOfColour(window, {0, 0, frame.right - frame.left, height}, colour);
}

// While it lives, the next message box of the thread that no other answerer
// has taken is given to answer, which returns the id of the button to press.
// A box whose button cannot be pressed is ended with result 0.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(std::function<int(HWND box)> answer)
        : answer_(std::move(answer)), timer_(SetTimer(nullptr, 0, 10, OnTimer)) {
        answerers_.push_back(this);
    }
    ~MessageBoxAnswerer() {
        KillTimer(nullptr, timer_);
        answerers_.erase(std::find(answerers_.begin(), answerers_.end(), this));
    }
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    bool Answered() const { return box_ != nullptr; }

private:
    // Any answerer's timer gives each a turn, the first made first.
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        for (std::size_t i = 0; i < answerers_.size(); ++i) answerers_[i]->Tick();
    }
    void Tick() {
        if (box_) return;  // taken: also while its answer runs
        // The thread's first shown box that no answerer has taken.
        HWND box = GetTopWindow(nullptr);
        const auto taken = [&box](MessageBoxAnswerer* a) { return a->box_ == box; };
        while (box && (GetWindowThreadProcessId(box, nullptr) != GetCurrentThreadId() ||
                       !IsWindowVisible(box) || ClassName(box) != "#32770" ||
                       std::any_of(answerers_.begin(), answerers_.end(), taken)))
            box = GetWindow(box, GW_HWNDNEXT);
        if (!box) return;
        box_ = box;
        HWND button = GetDlgItem(box, answer_(box));
        if (button && ClassName(button) == "Button")
            SendMessageA(button, BM_CLICK, 0, 0);
        else
            EndDialog(box, 0);
    }

    static inline std::vector<MessageBoxAnswerer*> answerers_;  // for OnTimer
    std::function<int(HWND)> answer_;
    UINT_PTR timer_ = 0;
    HWND box_ = nullptr;
};

// Answers a sequence of message boxes in order: each box that opens on the
// test's thread is seen (text and title) and answered with the next button
// of the script. Three boxes beyond the script are ended with result 0, so a
// test never hangs on an unexpected box.
class MessageBoxScript {
public:
    struct Seen {
        std::string text, title, systemTitle;  // title: the one drawn into the caption bar
    };

    // buttons: the ids to press (IDOK, IDYES, IDNO), one per expected box.
    explicit MessageBoxScript(const std::vector<int>& buttons) {
        for (std::size_t i = 0; i < buttons.size() + 3; ++i)
            answerers_.push_back(std::make_unique<MessageBoxAnswerer>([this, buttons](HWND box) {
                seen_.push_back({SeeMessageBox(box).text.text, DrawnTitle(box), WindowText(box)});
                return seen_.size() <= buttons.size() ? buttons[seen_.size() - 1] : 0;
            }));
    }

    const std::vector<struct Seen>& Seen() const { return seen_; }

private:
    std::vector<struct Seen> seen_;
    std::vector<std::unique_ptr<MessageBoxAnswerer>> answerers_;
};

// Answers the Save As dialog that code under test opens on this thread: once
// the dialog is shown it is recorded, the test may act on it, a file name is
// typed into it and Save is pressed. A message box that opens
// after it (a question the test did not expect) is ended, so that the test
// never hangs.
struct SaveDialogAnswer {
    const char* fileName = nullptr;
    // Called with the dialog after it was recorded, before the name is typed.
    std::function<void(HWND dialog)> act;
};

// Runs open, which shows one Save As dialog, and answers it.
inline SeenMessageBox AnswerSaveDialog(const std::function<void()>& open,
                                       const SaveDialogAnswer& answer) {
    SeenMessageBox seen;
    std::unique_ptr<MessageBoxAnswerer> unexpected;
    MessageBoxAnswerer answerer([&](HWND dialog) {
        seen = SeeMessageBox(dialog);
        // Made once the dialog is taken, so that it takes only a box after it.
        unexpected = std::make_unique<MessageBoxAnswerer>([](HWND) { return 0; });
        if (answer.act) answer.act(dialog);
        // The name box is an edit (edt1) in dialogs with a hook, a combo box
        // (cmb13) in the others; the dialog takes the text for either.
        for (int nameBox : {edt1, cmb13})
            SendMessageA(dialog, CDM_SETCONTROLTEXT, static_cast<WPARAM>(nameBox),
                         reinterpret_cast<LPARAM>(answer.fileName));
        return IDOK;
    });
    open();
    return seen;
}

}  // namespace quorvel::test
