// Answers a sequence of message boxes in order: each box that opens on the
// test's thread is seen (text and title) and answered with the next button
// of the script. Three boxes beyond the script are ended with result 0, so a
// test never hangs on an unexpected box.
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
    explicit MessageBoxScript(std::vector<int> buttons) : buttons_(std::move(buttons)) {
        for (std::size_t i = 0; i < buttons_.size() + 3; ++i) {
            answerers_.push_back(std::make_unique<MessageBoxAnswerer>([this](HWND box) {
                seen_.push_back({SeeMessageBox(box).text.text, DrawnTitle(box), WindowText(box)});
                return seen_.size() <= buttons_.size() ? buttons_[seen_.size() - 1] : 0;
            }));
        }
    }

    const std::vector<struct Seen>& Seen() const { return seen_; }

private:
    std::vector<int> buttons_;
    std::vector<struct Seen> seen_;
    std::vector<std::unique_ptr<MessageBoxAnswerer>> answerers_;
};

}  // namespace quorvel::test
