#include "support/message_box_script.h"

#include "ui/dialog_window_win32.h"

namespace quorvel::test {

MessageBoxScript::MessageBoxScript(std::vector<int> buttons, int spareAnswerers)
    : buttons_(buttons.begin(), buttons.end()) {
    const std::size_t count = buttons.size() + static_cast<std::size_t>(spareAnswerers);
    for (std::size_t i = 0; i < count; ++i) {
        answerers_.push_back(
            std::make_unique<MessageBoxAnswerer>([this](HWND box) { return Answer(box); }));
    }
}

int MessageBoxScript::Answer(HWND box) {
    const SeenMessageBox seen = SeeMessageBox(box);
    struct Seen record;
    record.text = seen.text.text;
    record.title = DialogTitle();
    record.systemTitle = seen.systemTitle;
    record.hasIcon = seen.icon != nullptr;
    for (const SeenControl& button : seen.buttons) record.buttons.push_back(button.text);
    seen_.push_back(record);
    if (buttons_.empty()) return 0;  // unexpected: ended with result 0
    const int button = buttons_.front();
    buttons_.pop_front();
    return button;
}

}  // namespace quorvel::test
