// Answers the message boxes that code under test opens: a thread timer finds
// the box once it is shown and painted, hands it to the test, and presses the
// button the test asks for.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

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

SeenMessageBox SeeMessageBox(HWND box);

// The title drawn into a dressed dialog's caption bar; empty when the dialog
// is not dressed.
std::string DrawnTitle(HWND dialog);

// Pixels of the colour in an area of the window (window coordinates), or in
// its caption bar, as they are on screen.
int PixelsOfColour(HWND window, const RECT& area, COLORREF colour);
int CaptionPixelsOfColour(HWND window, COLORREF colour);

// While it lives, the next message box of the thread that no other answerer
// has taken is given to answer, which returns the id of the button to press.
// A box whose button cannot be pressed, or that stays open a second after
// the press, is ended with result 0.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(std::function<int(HWND box)> answer);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    bool Answered() const { return box_ != nullptr; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD);
    void Tick();

    std::function<int(HWND)> answer_;
    UINT_PTR timer_ = 0;
    HWND box_ = nullptr;
    int ticksSincePress_ = 0;
    bool busy_ = false;
};

}  // namespace quorvel::test
