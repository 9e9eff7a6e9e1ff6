// Answers a sequence of message boxes in order: each box that opens on the
// test's thread is seen (text and title) and answered with the next button
// of the script. Boxes beyond the script are ended with result 0, so a test
// never hangs on an unexpected box.
#pragma once

#include <windows.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "support/message_box_probe.h"
#include "ui/dialog_window_win32.h"

namespace quorvel::test {

class MessageBoxScript {
public:
    struct Seen {
        std::string text;
        std::string title;        // the title drawn into the caption bar
        std::string systemTitle;  // the title given to the system
    };

    // buttons: the ids to press (IDOK, IDYES, IDNO), one per expected box.
    explicit MessageBoxScript(std::vector<int> buttons, std::size_t spareAnswerers = 3)
        : buttons_(buttons.begin(), buttons.end()) {
        for (std::size_t i = 0; i < buttons.size() + spareAnswerers; ++i) {
            answerers_.push_back(std::make_unique<MessageBoxAnswerer>([this](HWND box) {
                const SeenMessageBox seen = SeeMessageBox(box);
                seen_.push_back({seen.text.text, DialogTitle(), seen.systemTitle});
                const int button = buttons_.empty() ? 0 : buttons_.front();
                if (!buttons_.empty()) buttons_.pop_front();
                return button;
            }));
        }
    }

    const std::vector<struct Seen>& Seen() const { return seen_; }
    std::size_t Unanswered() const { return buttons_.size(); }

private:
    std::deque<int> buttons_;
    std::vector<struct Seen> seen_;
    std::vector<std::unique_ptr<MessageBoxAnswerer>> answerers_;
};

}  // namespace quorvel::test
