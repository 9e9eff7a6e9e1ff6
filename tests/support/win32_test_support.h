// Helpers for tests of the real windows under Wine: the main window, a
// fresh folder for a test's files, and the message boxes and Save As dialog
// that code under test opens, seen and answered.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <functional>
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

// While it lives, every message box or dialog that opens on the thread is
// given to answer, which returns the id of the button to press; a box whose
// button cannot be pressed (0 among others) is ended with result 0, so that a
// test never hangs on a box it did not expect. One lives at a time.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(std::function<int(HWND box)> answer)
        : answer_(std::move(answer)), timer_(SetTimer(nullptr, 0, 10, OnTimer)) {
        current_ = this;
    }
    ~MessageBoxAnswerer() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    std::size_t Answered() const { return taken_.size(); }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        if (current_) current_->Tick();
    }
    // Takes the thread's first shown box not taken yet; also while the answer
    // of an earlier one runs.
    void Tick() {
        HWND box = GetTopWindow(nullptr);
        while (box && (GetWindowThreadProcessId(box, nullptr) != GetCurrentThreadId() ||
                       !IsWindowVisible(box) || ClassName(box) != "#32770" ||
                       std::count(taken_.begin(), taken_.end(), box)))
            box = GetWindow(box, GW_HWNDNEXT);
        if (!box) return;
        taken_.push_back(box);
        HWND button = GetDlgItem(box, answer_(box));
        if (button && ClassName(button) == "Button")
            SendMessageA(button, BM_CLICK, 0, 0);
        else
            EndDialog(box, 0);
    }

    static inline MessageBoxAnswerer* current_ = nullptr;  // for OnTimer
    std::function<int(HWND)> answer_;
    UINT_PTR timer_ = 0;
    std::vector<HWND> taken_;
};

// Runs open, which shows one Save As dialog on this thread, and answers it:
// the dialog is recorded, act (when given) acts on it, fileName is typed into
// it and Save is pressed. A box that opens after it (a question the test did
// not expect) is ended.
inline SeenMessageBox AnswerSaveDialog(const std::function<void()>& open,
                                       const std::string& fileName,
                                       const std::function<void(HWND dialog)>& act = nullptr) {
    SeenMessageBox seen;
    int boxes = 0;
    MessageBoxAnswerer answerer([&](HWND dialog) {
        if (boxes++) return 0;
        seen = SeeMessageBox(dialog);
        if (act) act(dialog);
        // The name box is an edit (edt1) in dialogs with a hook, a combo box
        // (cmb13) in the others; the dialog takes the text for either.
        for (int nameBox : {edt1, cmb13})
            SendMessageA(dialog, CDM_SETCONTROLTEXT, static_cast<WPARAM>(nameBox),
                         reinterpret_cast<LPARAM>(fileName.c_str()));
        return IDOK;
    });
    open();
    return seen;
}

}  // namespace quorvel::test
