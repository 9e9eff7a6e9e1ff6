#include "support/message_box_probe.h"

#include <algorithm>

#include "shared/handles_win32.h"
#include "support/win32_test_support.h"
#include "ui/dialog_window_win32.h"

namespace quorvel::test {
static std::vector<MessageBoxAnswerer*> gAnswerers;

SeenMessageBox SeeMessageBox(HWND box) {
    SeenMessageBox seen;
    seen.systemTitle = WindowText(box);
    seen.owner = GetWindow(box, GW_OWNER);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const bool isIcon = (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
        if (ClassName(child) == "Button") {
            seen.buttons.push_back({WindowText(child), FontFace(child)});
        } else if (ClassName(child) == "Static" && !isIcon) {
            seen.text = {WindowText(child), FontFace(child)};
        } else if (ClassName(child) == "Static" && IsWindowVisible(child)) {
            seen.icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        }
    }
    return seen;
}

std::string DrawnTitle(HWND dialog) {
    const DressedDialog* dressed = DressedDialog::Of(dialog);
    return dressed ? dressed->Title() : std::string();
}

int PixelsOfColour(HWND window, const RECT& area, COLORREF colour) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0},
                       {}};
    DWORD* bits = nullptr;  // 0x00RRGGBB each, where COLORREF is 0x00BBGGRR
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS,
                                         reinterpret_cast<void**>(&bits), nullptr, 0));
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    ScopedSelection selection(dc.Get(), bitmap.Get());
    BitBlt(dc.Get(), 0, 0, width, height, UniqueWindowDc(window).Get(), area.left, area.top,
           SRCCOPY);
    const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    return static_cast<int>(std::count_if(bits, bits + width * height,
                                          [&](DWORD p) { return (p & 0xFFFFFF) == wanted; }));
}

int CaptionPixelsOfColour(HWND window, COLORREF colour) {
    RECT frame;
    GetWindowRect(window, &frame);
    const int height = GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION);
    return PixelsOfColour(window, {0, 0, frame.right - frame.left, height}, colour);
}

MessageBoxAnswerer::MessageBoxAnswerer(std::function<int(HWND)> answer)
    : answer_(std::move(answer)), timer_(SetTimer(nullptr, 0, 10, OnTimer)) {
    gAnswerers.push_back(this);
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    KillTimer(nullptr, timer_);
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
        // A box still open a second after it was answered is ended.
        if (IsWindow(box_) && ++ticksSincePress_ == 100) EndDialog(box_, 0);
        return;
    }
    // The thread's first shown box that no answerer has taken.
    HWND box = GetTopWindow(nullptr);
    const auto taken = [&box](MessageBoxAnswerer* a) { return a->box_ == box; };
    while (box && (GetWindowThreadProcessId(box, nullptr) != GetCurrentThreadId() ||
                   !IsWindowVisible(box) || ClassName(box) != "#32770" ||
                   std::any_of(gAnswerers.begin(), gAnswerers.end(), taken))) {
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

}  // namespace quorvel::test
