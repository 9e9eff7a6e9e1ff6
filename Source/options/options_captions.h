// The captions of the options dialog and the title it draws into its caption
// bar, in the configured language.
#pragma once

#include <string>

#include "options/options_form.h"
#include "settings/settings_store.h"

namespace quorvel {

// Reads LanguageID once, sets the ten captions of the dialog in that language
// in the order LB1, CK1, CK2, CM1, CM2, CM3, FR1, CKi, LB2, LB3, and then the
// title that the dialog draws into its caption bar.
void ApplyOptionsCaptions(SettingsStore& settings, OptionsView& view);

}  // namespace quorvel
