#include "ui/message_prompt.h"

#include <vector>

namespace quorvel {
namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr const char* kTitleRoom = "       ";  // seven spaces

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(kLineEnd, start)) != std::string::npos;
         start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

std::string ReformatPrompt(const std::string& prompt) {
    std::vector<std::string> lines = SplitLines(prompt);
    std::size_t longest = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].size() > lines[longest].size()) longest = i;
    }
    lines[longest] += kTitleRoom;

    std::string text;
    for (const std::string& line : lines) text += line + kLineEnd;
    return text + kLineEnd;
}

}  // namespace quorvel
