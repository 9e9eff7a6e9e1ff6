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

namespace quorvel::test {

class MessageBoxScript {
public:
    // buttons: the ids to press (IDOK, IDYES, IDNO), one per expected box.
    explicit MessageBoxScript(std::vector<int> buttons, int spareAnswerers = 3);

    struct Seen {
        std::string text;
        std::string title;        // the title drawn into the caption bar
        std::string systemTitle;  // the title given to the system
        bool hasIcon = false;
        std::vector<std::string> buttons;
    };
    const std::vector<Seen>& Seen() const { return seen_; }
    std::size_t Unanswered() const { return buttons_.size(); }

private:
    int Answer(HWND box);

    std::deque<int> buttons_;
    std::vector<struct Seen> seen_;
    std::vector<std::unique_ptr<MessageBoxAnswerer>> answerers_;
};

}  // namespace quorvel::test
