// The Save As dialogs over GetSaveFileNameA, and the Vietnamese dialog's hook.
#include "ui/save_dialog_win32.h"

#include <commdlg.h>

#include <array>
#include <cstddef>

#include "shared/system_function_win32.h"
#include "ui/dialog_window_win32.h"
#include "ui/message_prompt.h"
#include "ui/save_dialog_texts.h"

namespace quorvel {
namespace {

// The structure in its form without the three fields of later systems: 76
// bytes in the 32-bit program, 136 where pointers and handles take 8.
constexpr DWORD kOpenFileNameSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
static_assert(kOpenFileNameSize == (sizeof(void*) == 4 ? 76 : 136),
              "the OPENFILENAME of old systems");

constexpr std::size_t kPathBufferSize = MAX_PATH;
static_assert(kPathBufferSize == 260, "the file name buffer");
constexpr DWORD kEnglishFlags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
constexpr DWORD kVietnameseFlags = kEnglishFlags | OFN_ENABLEHOOK;
static_assert(kEnglishFlags == 0x80006 && kVietnameseFlags == 0x80026, "dialog flags");

// GetSaveFileNameA, from comdlg32.dll loaded when the first Save As dialog
// opens: imported, the library and those it loads take a share of every
// start of the program.
using GetSaveFileNameProc = BOOL(WINAPI*)(LPOPENFILENAMEA);
GetSaveFileNameProc GetSaveFileNameFunction() {
    static const auto proc =
        SystemFunction<GetSaveFileNameProc>("comdlg32.dll", "GetSaveFileNameA");
    return proc;
}

std::string ShowSaveDialog(HWND owner, Language language, DWORD flags, LPOFNHOOKPROC hook) {
    const SaveDialogTexts& texts = SaveDialogTextsFor(language);
    std::array<char, kPathBufferSize> file = {};
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = kOpenFileNameSize;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = texts.filter.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = texts.systemTitle;
    dialog.Flags = flags;
    dialog.lpstrDefExt = kSaveDefaultExtension;
    dialog.lpfnHook = hook;
    // A failure other than cancelling (a name too long for the buffer) leaves
    // the needed size in the buffer's first bytes, which is no path.
    const GetSaveFileNameProc getSaveFileName = GetSaveFileNameFunction();
    if (!getSaveFileName || !getSaveFileName(&dialog)) return std::string();
    file.back() = '\0';
    return std::string(file.data());
}

void RelabelSaveDialog(HWND dialog) {
    const HFONT font = DialogFont(dialog);
    for (const ControlRelabel& relabel : kSaveDialogRelabels) {
        if (HWND control = FindChildWithCaption(dialog, relabel.className, relabel.systemCaption)) {
            RelabelControl(control, relabel.replacement, font);
        }
    }
    // The second combo box is the file-type list; its items are Vietnamese.
    if (HWND first = FindWindowExA(dialog, nullptr, "combobox", nullptr)) {
        if (HWND types = FindWindowExA(dialog, first, "combobox", nullptr)) {
            SendMessageA(types, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        }
    }
    if (HWND save = FindChildWithCaption(dialog, "Button", kSaveButtonRelabel.systemCaption)) {
        RelabelControl(save, kSaveButtonRelabel.replacement, font);
    }
}

}  // namespace

std::string SaveDialogEnglish(HWND owner) {
    return ShowSaveDialog(owner, Language::English, kEnglishFlags, nullptr);
}

std::string SaveDialogVietnamese(HWND owner) {
    return ShowSaveDialog(owner, Language::Vietnamese, kVietnameseFlags, SaveDialogHookProc);
}

std::string AskSavePath(HWND owner, Language language) {
    return language == Language::Vietnamese ? SaveDialogVietnamese(owner)
                                            : SaveDialogEnglish(owner);
}

UINT_PTR CALLBACK SaveDialogHookProc(HWND child, UINT message, WPARAM, LPARAM) {
    HWND dialog = GetParent(child);
    if (message == WM_INITDIALOG) {
        DressedDialog::Dress(dialog, {kSaveDialogTitle, TitleFrame::kDialog, true});
    } else if (message == WM_NOTIFY) {
        RelabelSaveDialog(dialog);
    }
    return 0;
}

}  // namespace quorvel
