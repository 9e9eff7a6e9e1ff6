// Holds a dialog on screen for a screenshot taken from outside the program:
// the demo programs and the screenshot scripts meet through two files.
#pragma once

#include <functional>

namespace quorvel::test {

// Runs show, which opens a dialog of this thread and returns when it has
// closed. Once the dialog is on screen and in front, the file readyFile is
// created; when the file takenFile appears, or after half a minute without
// it, the dialog's button pressId is pressed. False after the half minute.
bool PauseForScreenshot(const char* readyFile, const char* takenFile, int pressId,
                        const std::function<void()>& show);

}  // namespace quorvel::test
