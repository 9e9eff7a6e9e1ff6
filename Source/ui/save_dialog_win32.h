// The Save As dialog in each interface language, and the hook that
// re-dresses the Vietnamese one while it is open.
#pragma once

#include <windows.h>

#include <string>

#include "ui/captions.h"

namespace quorvel {

// The system's Save As dialog, owned by owner, with English file-type names
// and the system's own title and captions. Returns the chosen path, or the
// empty text when nothing was chosen.
std::string SaveDialogEnglish(HWND owner);

// The same dialog in Vietnamese: its title "L§u TËp Tin" is drawn into the
// caption bar, and SaveDialogHookProc relabels the dialog.
std::string SaveDialogVietnamese(HWND owner);

// The dialog of the language.
std::string AskSavePath(HWND owner, Language language);

// The hook of the Vietnamese dialog, called for the child dialog that the
// system makes for it: at WM_INITDIALOG it dresses the Save As dialog (the
// child's parent) with its title and Save button; at every WM_NOTIFY it relabels
// the dialog's controls that still show their system captions. Returns 0, so
// the system's own handling always follows.
UINT_PTR CALLBACK SaveDialogHookProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quorvel
