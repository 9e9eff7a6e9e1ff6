// Sees and answers the message boxes that code under test opens: a thread
// timer finds the box once it is shown and painted, hands it to the test, and
// presses the button the test asks for.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "shared/handles_win32.h"
#include "support/win32_test_support.h"
#include "ui/dialog_window_win32.h"

namespace quorvel::test {

struct SeenControl {
    std::string text;
    std::string fontFace;  // empty when the control has the system font
};

// What a message box showed.
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
    UniqueWindowDc screen(window);
    UniqueMemoryDc dc(CreateCompatibleDC(screen.Get()));
    const int width = area.right - area.left, height = area.bottom - area.top;
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    ScopedSelection selection(dc.Get(), bitmap.Get());
    BitBlt(dc.Get(), 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY);
    int count = 0;
    for (int i = 0; i < width * height; ++i)
        count += GetPixel(dc.Get(), i % width, i / width) == colour;
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
// A box whose button cannot be pressed, or that stays open a second after
// the press, is ended with result 0.
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
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
        for (MessageBoxAnswerer* answerer : answerers_) {
            if (answerer->timer_ == timer) return answerer->Tick();
        }
    }
    void Tick() {
        if (busy_) return;  // its answer opened a box of its own
        if (box_) {
            // A box still open a second after it was answered is ended.
            if (IsWindow(box_) && ++ticksSincePress_ == 100) EndDialog(box_, 0);
            return;
        }
        // The thread's first shown box that no answerer has taken.
        HWND box = GetTopWindow(nullptr);
        const auto taken = [&box](MessageBoxAnswerer* a) { return a->box_ == box; };
        while (box && (GetWindowThreadProcessId(box, nullptr) != GetCurrentThreadId() ||
                       !IsWindowVisible(box) || ClassName(box) != "#32770" ||
                       std::any_of(answerers_.begin(), answerers_.end(), taken))) {
            box = GetWindow(box, GW_HWNDNEXT);
        }
        if (!box) return;
        box_ = box;
        busy_ = true;
        HWND button = GetDlgItem(box, answer_(box));
        busy_ = false;
        // A box without that button is ended a second later, as one left open.
        if (button && ClassName(button) == "Button") SendMessageA(button, BM_CLICK, 0, 0);
    }

    static inline std::vector<MessageBoxAnswerer*> answerers_;  // for OnTimer
    std::function<int(HWND)> answer_;
    UINT_PTR timer_ = 0;
    HWND box_ = nullptr;
    int ticksSincePress_ = 0;
    bool busy_ = false;
};

}  // namespace quorvel::test
