#include "support/message_box_probe.h"

#include <algorithm>
#include <set>

#include "shared/handles_win32.h"
#include "support/canvas.h"
#include "support/win32_test_support.h"

namespace quorvel::test {
namespace {

constexpr UINT kTickMilliseconds = 10;
// Ticks after the press before a box that is still open is ended.
constexpr int kTicksBeforeEnding = 100;

std::vector<MessageBoxAnswerer*> gAnswerers;
std::set<HWND> gTakenBoxes;

SeenControl SeeControl(HWND control) {
    SeenControl seen;
    seen.id = GetDlgCtrlID(control);
    seen.text = WindowText(control);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    LOGFONTA logFont = {};
    if (font && GetObjectA(font, sizeof logFont, &logFont)) {
        seen.fontFace = logFont.lfFaceName;
        seen.fontWeight = logFont.lfWeight;
    }
    return seen;
}

BOOL CALLBACK TakeUntakenBox(HWND window, LPARAM found) {
    if (!IsWindowVisible(window) || ClassName(window) != "#32770" || gTakenBoxes.count(window)) {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

SeenMessageBox SeeMessageBox(HWND box) {
    SeenMessageBox seen;
    seen.systemTitle = WindowText(box);
    seen.owner = GetWindow(box, GW_OWNER);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string className = ClassName(child);
        if (className == "Button") {
            seen.buttons.push_back(SeeControl(child));
        } else if (className == "Static") {
            const bool isIcon = (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
            if (!isIcon) {
                seen.text = SeeControl(child);
            } else if (IsWindowVisible(child)) {
                seen.icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
            }
        }
    }
    return seen;
}

int CaptionPixelsOfColour(HWND window, COLORREF colour) {
    RECT frame;
    GetWindowRect(window, &frame);
    const int height = GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION);
    Canvas canvas(frame.right - frame.left, height, RGB(0, 0, 0));
    UniqueWindowDc screen(window);
    if (!screen) return -1;
    BitBlt(canvas.Dc(), 0, 0, canvas.Width(), height, screen.Get(), 0, 0, SRCCOPY);
    return canvas.CountOf(colour);
}

MessageBoxAnswerer::MessageBoxAnswerer(std::function<int(HWND)> answer)
    : answer_(std::move(answer)) {
    gAnswerers.push_back(this);
    timer_ = SetTimer(nullptr, 0, kTickMilliseconds, OnTimer);
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    KillTimer(nullptr, timer_);
    gTakenBoxes.erase(box_);
    gAnswerers.erase(std::find(gAnswerers.begin(), gAnswerers.end(), this));
}

void CALLBACK MessageBoxAnswerer::OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    for (MessageBoxAnswerer* answerer : gAnswerers) {
        if (answerer->timer_ == timer) return answerer->Tick();
    }
}

void MessageBoxAnswerer::Tick() {
    if (busy_) return;  // its answer opened a box of its own
    if (box_) {
        if (IsWindow(box_) && ++ticksSincePress_ == kTicksBeforeEnding) EndDialog(box_, 0);
        return;
    }
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), TakeUntakenBox, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    box_ = box;
    gTakenBoxes.insert(box);
    busy_ = true;
    const int pressId = answer_(box);
    busy_ = false;
    HWND button = GetDlgItem(box, pressId);
    if (button && ClassName(button) == "Button") {
        SendMessageA(button, BM_CLICK, 0, 0);
    } else {
        EndDialog(box, 0);
    }
}

SeenMessageBox ShowAndAnswer(const std::function<int()>& show, int pressId, int* result) {
    SeenMessageBox seen;
    MessageBoxAnswerer answerer([&](HWND box) {
        seen = SeeMessageBox(box);
        return pressId;
    });
    *result = show();
    return seen;
}

}  // namespace quorvel::test
