// Answers the Save As dialog that code under test opens on this thread: once
// the dialog is shown it is recorded, the test may act on it, a file name is
// typed into it and Save (or Cancel) is pressed.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/message_box_probe.h"

namespace quorvel::test {

struct SeenSaveDialog {
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
inline SeenSaveDialog AnswerSaveDialog(const std::function<void()>& open,
                                       const SaveDialogAnswer& answer) {
    SeenSaveDialog seen;
    std::vector<std::unique_ptr<MessageBoxAnswerer>> later;
    MessageBoxAnswerer answerer([&](HWND dialog) {
        seen = {WindowText(dialog), GetWindow(dialog, GW_OWNER), {}};
        // Made once the dialog is taken, so that they answer only the boxes
        // that open after it.
        for (std::size_t i = 0; i <= answer.laterPresses.size(); ++i) {
            later.push_back(std::make_unique<MessageBoxAnswerer>([&](HWND box) {
                seen.laterBoxes.push_back(SeeMessageBox(box));
                const std::size_t count = seen.laterBoxes.size();
                return count <= answer.laterPresses.size() ? answer.laterPresses[count - 1] : 0;
            }));
        }
        if (answer.act) answer.act(dialog);
        // The name box is an edit (edt1) in dialogs with a hook, a combo box
        // (cmb13) in the others; the dialog takes the text for either.
        for (int nameBox : {edt1, cmb13}) {
            SendMessageA(dialog, CDM_SETCONTROLTEXT, static_cast<WPARAM>(nameBox),
                         reinterpret_cast<LPARAM>(answer.fileName ? answer.fileName : ""));
        }
        return answer.fileName ? IDOK : IDCANCEL;
    });
    open();
    return seen;
}

}  // namespace quorvel::test
