// The options dialog F2: a modal dialog whose controls sit at their design
// positions in twips; it forwards its events to OptionsForm.
#pragma once

#include <windows.h>

#include <functional>

#include "options/options_form.h"
#include "options/options_layout.h"

namespace quorvel {

// Shows F2 modally over owner (which it disables meanwhile), centred over it,
// and returns when it has closed. applyMainCaptions re-applies the owner's
// captions after each Apply. False when the dialog could not be shown.
bool ShowOptionsDialog(HWND owner, std::function<void()> applyMainCaptions);

// The control of an options dialog.
inline HWND OptionsItem(HWND dialog, OptionsControl control) {
    return GetDlgItem(dialog, static_cast<int>(control));
}

}  // namespace quorvel
