// The texts of the options dialog in both interface languages: its captions,
// its title and the entries of its language list.
#pragma once

#include "ui/captions.h"

namespace quorvel {

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

const OptionsCaptions& OptionsCaptionsFor(Language language);

// The entries of the options dialog's language list, the same in both
// languages; an entry's position is the LanguageID it stands for.
// "Tiếng Việt"
inline constexpr const char* kVietnameseEntry = "Ti\xD5ng Vi\xD6t";
inline constexpr const char* kEnglishEntry = "English";

}  // namespace quorvel
