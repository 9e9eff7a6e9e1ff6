// Answers the Save As dialog that code under test opens on this thread: once
// the dialog is shown it is recorded, the test may act on it, a file name is
// typed into it and Save (or Cancel) is pressed.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/message_box_probe.h"

namespace quorvel::test {

struct SeenSaveDialog {
    bool shown = false;
    std::string systemTitle;
    HWND owner = nullptr;
    // The message boxes that opened while the dialog was answered or after
    // it closed, in the order they opened.
    std::vector<SeenMessageBox> laterBoxes;
};

struct SaveDialogAnswer {
    const char* fileName = nullptr;  // null: press Cancel
    // Called with the dialog after it was recorded, before the name is typed.
    std::function<void(HWND dialog)> act;
    // The buttons pressed on the message boxes that open after the dialog
    // was taken (the system's question about replacing a file, a report of
    // the code under test), in order; more boxes than buttons are ended.
    std::vector<int> laterPresses;
};

// Runs open, which shows one Save As dialog, and answers it.
SeenSaveDialog AnswerSaveDialog(const std::function<void()>& open, const SaveDialogAnswer& answer);

}  // namespace quorvel::test
