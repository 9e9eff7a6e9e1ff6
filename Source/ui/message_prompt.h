// Texts of the translated message boxes: how a prompt is laid out before the
// system shows it, and the Vietnamese captions given to the system's buttons.
#pragma once

#include <array>
#include <string>

namespace quorvel {

// The system message box styles the program shows, and the results it reads.
enum MessageStyle : int {
    kStyleCriticalOk = 16,
    kStyleQuestionYesNo = 36,
    kStyleExclamationOk = 48,
    kStyleInformationOk = 64,
};
enum MessageResult : int { kResultOk = 1, kResultYes = 6, kResultNo = 7 };

// The title of the boxes that report a start-up failure: the program's name,
// which reads in any font.
inline constexpr const char* kStartupFailureTitle = "Quorvel";

// Lines are split at every CR LF (a trailing CR LF gives a last empty line).
// The first of the longest lines gets seven spaces appended, which widens the
// box for the title drawn into its caption; then every line is followed by
// CR LF and one more CR LF ends the text.
std::string ReformatPrompt(const std::string& prompt);

// A button caption as the system creates it, and the caption it is given.
struct ButtonRelabel {
    const char* systemCaption;
    const char* replacement;
};

// Applied in this order; buttons with other captions (Cancel, Abort, Retry,
// Ignore) keep theirs.
inline constexpr std::array<ButtonRelabel, 3> kMessageBoxButtonRelabels = {{
    {"OK",
     // "Đóng"
     "\x98"
     "\xE2ng"},
    // "&Có"
    {"&Yes", "&C\xE2"},
    // "&Không"
    {"&No", "&Kh\xA4ng"},
}};

// The Save button of the Save As dialog, relabelled whenever it is about to
// paint with its system caption.
// "&Lưu"
inline constexpr ButtonRelabel kSaveButtonRelabel = {"&Save", "&L\xA7u"};

}  // namespace quorvel
