// Lets a script outside the program take a screenshot of the dialog that the
// program shows next: once a dialog of the thread is on screen and in front,
// the file ready is created; when the file taken appears, the button pressId
// of the dialog is pressed. A shot not taken within half a minute presses the
// button too, and counts as timed out.
#pragma once

#include <windows.h>

namespace quorvel::test {

class ScreenshotSignal {
public:
    ScreenshotSignal(const char* readyFile, const char* takenFile, int pressId);
    ~ScreenshotSignal();
    ScreenshotSignal(const ScreenshotSignal&) = delete;
    ScreenshotSignal& operator=(const ScreenshotSignal&) = delete;

    bool TimedOut() const { return timedOut_; }

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    const char* readyFile_;
    const char* takenFile_;
    int pressId_;
    UINT_PTR timer_;
    int ticks_ = 0;
    bool timedOut_ = false;
};

}  // namespace quorvel::test
