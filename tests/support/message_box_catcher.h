// Answers the message boxes that the code under test shows on this thread:
// a CBT hook notes each box's title, text and icon and presses a button.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/handles_win32.h"

namespace quorvel::test {

struct CaughtMessageBox {
    std::string title;
    std::string text;
    bool hasIcon;
};

class MessageBoxCatcher {
public:
    // Presses `button` (IDOK, IDYES, ...) on every message box while it lives.
    explicit MessageBoxCatcher(int button = IDOK);
    ~MessageBoxCatcher();
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    const std::vector<CaughtMessageBox>& Seen() const { return seen_; }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);

    int button_;
    std::vector<CaughtMessageBox> seen_;
    UniqueHook hook_;
};

}  // namespace quorvel::test
