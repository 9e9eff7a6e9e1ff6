#include "support/save_dialog_driver.h"

#include <commdlg.h>
#include <dlgs.h>

#include <memory>

#include "support/win32_test_support.h"

namespace quorvel::test {

SeenSaveDialog AnswerSaveDialog(const std::function<void()>& open, const SaveDialogAnswer& answer) {
    SeenSaveDialog seen;
    std::vector<std::unique_ptr<MessageBoxAnswerer>> later;
    const auto answerLater = [&](HWND box) {
        const std::size_t index = seen.laterBoxes.size();
        seen.laterBoxes.push_back(SeeMessageBox(box));
        return index < answer.laterPresses.size() ? answer.laterPresses[index] : 0;
    };
    MessageBoxAnswerer answerer([&](HWND dialog) {
        seen.shown = true;
        seen.systemTitle = WindowText(dialog);
        seen.owner = GetWindow(dialog, GW_OWNER);
        // Made once the dialog is taken, so that they answer only the boxes
        // that open after it.
        for (std::size_t i = 0; i <= answer.laterPresses.size(); ++i) {
            later.push_back(std::make_unique<MessageBoxAnswerer>(answerLater));
        }
        if (answer.act) answer.act(dialog);
        if (!answer.fileName) return IDCANCEL;
        // The name box is an edit (edt1) in dialogs with a hook, a combo box
        // (cmb13) in the others; the dialog takes the text for either.
        for (int nameBox : {edt1, cmb13}) {
            SendMessageA(dialog, CDM_SETCONTROLTEXT, static_cast<WPARAM>(nameBox),
                         reinterpret_cast<LPARAM>(answer.fileName));
        }
        return IDOK;
    });
    open();
    return seen;
}

}  // namespace quorvel::test
