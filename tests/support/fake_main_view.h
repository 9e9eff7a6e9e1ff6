// A main window for workflow tests: keeps the texts of its two boxes, logs
// its other calls in order and answers message boxes from a queue.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "main/main_view.h"

namespace quorvel::test {

class FakeMainView : public MainView {
public:
    std::string ImeiText() override { return imeiBox; }
    std::string ResultText() override { return resultBox; }
    void SetImeiText(const std::string& text) override { imeiBox = text; }
    void SetResultText(const std::string& text) override { resultBox = text; }
    // Logged as "box STYLE TITLE|PROMPT".
    int ShowMessage(const std::string& prompt, int style, const std::string& title) override {
        log.push_back("box " + std::to_string(style) + " " + title + "|" + prompt);
        if (answers.empty()) ADD_FAILURE() << "unexpected message box: " << prompt;
        const int answer = answers.empty() ? 1 : answers.front();
        if (!answers.empty()) answers.pop_front();
        if (whileBoxIsOpen) whileBoxIsOpen();
        return answer;
    }
    void EnableCommands(bool enable) override { log.push_back(enable ? "enable" : "disable"); }
    void StartOnlineLookup(const std::string& imei) override { log.push_back("online " + imei); }

    std::string imeiBox;
    std::string resultBox;
    std::deque<int> answers;
    std::function<void()> whileBoxIsOpen;  // what the user does before answering
    std::vector<std::string> log;
};

}  // namespace quorvel::test
