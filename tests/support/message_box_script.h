// Answers a sequence of message boxes in order: each box that opens on the
// test's thread is seen (text and title) and answered with the next button
// of the script. Boxes beyond the script are ended with result 0, so a test
// never hangs on an unexpected box.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "support/message_box_probe.h"

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
        : buttons_(std::move(buttons)) {
        for (std::size_t i = 0; i < buttons_.size() + spareAnswerers; ++i) {
            answerers_.push_back(std::make_unique<MessageBoxAnswerer>([this](HWND box) {
                const SeenMessageBox seen = SeeMessageBox(box);
                seen_.push_back({seen.text.text, DrawnTitle(box), seen.systemTitle});
                return next_ < buttons_.size() ? buttons_[next_++] : 0;
            }));
        }
    }

    const std::vector<struct Seen>& Seen() const { return seen_; }
    std::size_t Unanswered() const { return buttons_.size() - next_; }

private:
    std::vector<int> buttons_;
    std::size_t next_ = 0;  // the next button to press
    std::vector<struct Seen> seen_;
    std::vector<std::unique_ptr<MessageBoxAnswerer>> answerers_;
};

}  // namespace quorvel::test
