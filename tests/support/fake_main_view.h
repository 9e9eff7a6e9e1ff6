// A main window for workflow tests.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "main/main_view.h"

namespace quorvel::test {

// Records every call of the workflow on the main window, in order, and answers
// message boxes from a queue of prepared answers.
class FakeMainView : public MainView {
public:
    std::string ImeiText() override { return imeiBox; }
    std::string ResultText() override { return resultBox; }
    void SetImeiText(const std::string& text) override {
        imeiBox = text;
        log.push_back("TX1=" + text);
    }
    void SetResultText(const std::string& text) override {
        resultBox = text;
        log.push_back("TX2=" + text);
    }
    int ShowMessage(const std::string& prompt, int style, const std::string& title) override {
        messages.push_back({prompt, style, title});
        log.push_back("message");
        if (answers.empty()) ADD_FAILURE() << "unexpected message box: " << prompt;
        int answer = answers.empty() ? 1 : answers.front();
        if (!answers.empty()) answers.pop_front();
        if (whileBoxIsOpen) whileBoxIsOpen();
        return answer;
    }
    void EnableCommands(bool enable) override { log.push_back(enable ? "enable" : "disable"); }
    void StartOnlineLookup(const std::string& imei) override { log.push_back("online " + imei); }

    struct Message {
        std::string prompt;
        int style;
        std::string title;
    };
    std::string imeiBox;
    std::string resultBox;
    std::deque<int> answers;
    std::function<void()> whileBoxIsOpen;  // what the user does before answering
    std::vector<Message> messages;
    std::vector<std::string> log;
};

}  // namespace quorvel::test
