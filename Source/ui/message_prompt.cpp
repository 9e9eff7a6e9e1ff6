#include "ui/message_prompt.h"

#include <vector>

#include "shared/text.h"

namespace quorvel {
namespace {

constexpr const char* kTitleRoom = "       ";  // seven spaces

}  // namespace

std::string ReformatPrompt(const std::string& prompt) {
    std::vector<std::string> lines = SplitText(prompt, kCrLf);
    std::size_t longest = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].size() > lines[longest].size()) longest = i;
    }
    lines[longest] += kTitleRoom;

    std::string text;
    for (const std::string& line : lines) text += line + kCrLf;
    return text + kCrLf;
}

}  // namespace quorvel
