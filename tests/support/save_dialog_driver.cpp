#include "support/save_dialog_driver.h"

#include <commdlg.h>
#include <dlgs.h>

#include <memory>
#include <sstream>

#include "support/message_box_probe.h"
#include "support/win32_test_support.h"

namespace quorvel::test {
namespace {

std::string ComboItem(HWND combo, int index) {
    const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

}  // namespace

std::string SeenSaveDialog::FontOf(const char* className, const std::string& text) const {
    for (const SeenChild& child : children) {
        if (lstrcmpiA(child.className.c_str(), className) == 0 && child.text == text) {
            return child.fontFace;
        }
    }
    return "missing";
}

std::string SeenSaveDialog::Describe() const {
    std::ostringstream out;
    out << "title \"" << systemTitle << "\"";
    for (const SeenChild& child : children) {
        out << "\n  " << child.className << " \"" << child.text << "\" " << child.fontFace;
    }
    return out.str();
}

SeenSaveDialog SeeSaveDialog(HWND dialog) {
    SeenSaveDialog seen;
    seen.shown = true;
    seen.systemTitle = WindowText(dialog);
    seen.owner = GetWindow(dialog, GW_OWNER);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        seen.children.push_back({ClassName(child), WindowText(child), FontFace(child)});
    }
    HWND types = GetDlgItem(dialog, cmb1);
    const LRESULT count = SendMessageA(types, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) seen.typeNames.push_back(ComboItem(types, i));
    seen.selectedType = static_cast<int>(SendMessageA(types, CB_GETCURSEL, 0, 0));
    seen.typeListFont = FontFace(types);
    const bool active = GetActiveWindow() == dialog;
    seen.titlePixels = CaptionPixelsOfColour(
        dialog, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    return seen;
}

SeenSaveDialog AnswerSaveDialog(const std::function<void()>& open, const SaveDialogAnswer& answer) {
    SeenSaveDialog seen;
    std::vector<std::unique_ptr<MessageBoxAnswerer>> later;
    const auto answerLater = [&](HWND box) {
        const std::size_t index = seen.laterBoxes.size();
        seen.laterBoxes.push_back(SeeMessageBox(box));
        return index < answer.laterPresses.size() ? answer.laterPresses[index] : 0;
    };
    MessageBoxAnswerer answerer([&](HWND dialog) {
        seen = SeeSaveDialog(dialog);
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
