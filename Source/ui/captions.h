// The interface languages and the caption texts of the two windows.
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

// Exactly "0" is Vietnamese; every other text, the empty one included, English.
Language LanguageFromSetting(const std::string& languageId);

// Reads LanguageID anew from the store and applies the rule above.
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

// Captions of the options dialog, in the order they are applied, and its title.
struct OptionsCaptions {
    const char* languageLabel;      // LB1
    const char* getOnlineCheck;     // CK1
    const char* addMissingCheck;    // CK2
    const char* okButton;           // CM1
    const char* cancelButton;       // CM2
    const char* applyButton;        // CM3
    const char* connectionFrame;    // FR1
    const char* useProxyCheck;      // CKi
    const char* proxyAddressLabel;  // LB2
    const char* proxyPortLabel;     // LB3
    const char* title;              // OptionsTitle
};

const MainCaptions& MainCaptionsFor(Language language);
const OptionsCaptions& OptionsCaptionsFor(Language language);

// The entries of the options dialog's language list, the same in both
// languages; an entry's position is the LanguageID it stands for.
inline constexpr const char* kVietnameseEntry = "Ti\xD5ng Vi\xD6t";
inline constexpr const char* kEnglishEntry = "English";

}  // namespace quorvel
