// The captions of the options dialog and the title it draws into its caption
// bar, in the configured language.
#pragma once

#include <string>

#include "options/options_form.h"
#include "settings/settings_store.h"

namespace quorvel {

// OptionsTitle: the title the options dialog draws into its caption bar;
// empty until the dialog first opens, then kept for the whole run.
const std::string& OptionsTitle();

// Reads LanguageID once, sets the ten captions of the dialog in that language
// in the order LB1, CK1, CK2, CM1, CM2, CM3, FR1, CKi, LB2, LB3, and then
// stores the title in OptionsTitle.
void ApplyOptionsCaptions(SettingsStore& settings, OptionsView& view);

}  // namespace quorvel
