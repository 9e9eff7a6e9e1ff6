// Answers the Save As dialog that code under test opens on this thread: once
// the dialog is shown it is recorded, the test may act on it, a file name is
// typed into it and Save (or Cancel) is pressed. A message box that opens
// after it (a question the test did not expect) is ended, so that the test
// never hangs.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <functional>
#include <memory>
#include <string>

#include "support/message_box_probe.h"

namespace quorvel::test {

struct SeenSaveDialog {
    std::string systemTitle;
    HWND owner = nullptr;
};

struct SaveDialogAnswer {
    const char* fileName = nullptr;  // null: press Cancel
    // Called with the dialog after it was recorded, before the name is typed.
    std::function<void(HWND dialog)> act;
};

// Runs open, which shows one Save As dialog, and answers it.
inline SeenSaveDialog AnswerSaveDialog(const std::function<void()>& open,
                                       const SaveDialogAnswer& answer) {
    SeenSaveDialog seen;
    std::unique_ptr<MessageBoxAnswerer> unexpected;
    MessageBoxAnswerer answerer([&](HWND dialog) {
        seen = {WindowText(dialog), GetWindow(dialog, GW_OWNER)};
        // Made once the dialog is taken, so that it takes only a box after it.
        unexpected = std::make_unique<MessageBoxAnswerer>([](HWND) { return 0; });
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
