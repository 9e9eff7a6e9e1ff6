// The interface languages and the caption texts of the main window.
//
// Vietnamese texts are 8-bit codes in the layout of the display font
// "QuorvelFont"; they are handed to the platform's ANSI text calls unchanged.
#pragma once

#include <string>

#include "settings/settings_store.h"

namespace quorvel {

enum class Language { Vietnamese, English };

// The face of the program's own display font, which draws the Vietnamese
// codes; every control that shows a translated caption carries it.
inline constexpr const char* kDisplayFontFace = "QuorvelFont";

// Reads LanguageID anew from the store: exactly "0" is Vietnamese; every
// other text, the empty one included, English (its row of kSettingRules).
Language CurrentLanguage(SettingsStore& settings);

// Captions of the main window, in the order they are applied.
struct MainCaptions {
    const char* enterImeiLabel;  // LB1
    const char* imeiTipLabel;    // LBi
    const char* analyzeButton;   // CM1
    const char* saveButton;      // CM2
    const char* clearButton;     // CM3
    const char* optionsButton;   // CM4
};

const MainCaptions& MainCaptionsFor(Language language);

}  // namespace quorvel
