#include "ui/captions.h"

namespace quorvel {
namespace {

// Byte literals are split after a hex escape whenever a hex digit follows.
constexpr MainCaptions kMainVietnamese = {
    "&Nh\xCBp v\xAAo s\xE7 IMEI:",
    "B\xC1n c\xE2 th\xD3 xem s\xE7 IMEI b\xC2ng c\xC0"
    "ch b\xCAm *#06# t\xF4 m\xAAn h\xD8nh ch\xE9 c\xEF"
    "a m\xC0y \xA2i\xD6n tho\xC1i di \xA2"
    "\xE8ng. S\xE7 IMEI c\xF1ng th\xA7"
    "\xE9ng \xA2"
    "\xA7"
    "\xED"
    "c in \xEA ph\xDB"
    "a sau th\xA1n m\xC0y.",
    "&Ph\xA1n t\xDB"
    "ch",
    "&L\xA7u",
    "&Xo\xC0",
    "&Tu\xF9 ch\xE3n...",
};

constexpr MainCaptions kMainEnglish = {
    "&Enter the IMEI number:",
    "You can get the IMEI by typing *#06# from the standby screen. It is also usually printed on "
    "the compliance plate under the battery.",
    "&Analyze",
    "&Save",
    "&Clear",
    "&Options...",
};

constexpr OptionsCaptions kOptionsVietnamese = {
    "&Language / Ng\xA4n ng\xF6:",
    "L\xCAy th\xA4ng tin tr\xF8"
    "c tuy\xD5n c\xEF"
    "a IMEI t\xF4 Intern&et",
    "Th\xA3&m IMEI c\xDFn thi\xD5u v\xAAo c\xA5 s\xEA d\xF6 li\xD6u c\xEF"
    "a ch\xA7"
    "\xA5ng tr\xD8nh",
    "\x98"
    "\xE2ng",
    "Tho\xC0t",
    "\x98"
    "\xE4&ng \xFC",
    "K\xD5t n\xE7i Internet",
    "K\xD5t n\xE7i th\xA4ng qua proxy",
    "\x98"
    "\xDC"
    "a ch\xD9:",
    "C\xE5ng:",
    "Tu\xF9 ch\xE3n",
};

constexpr OptionsCaptions kOptionsEnglish = {
    "Ng\xA4n ng\xF6 / &Language:",
    "Get online IMEI data from the Intern&et",
    "Add &missing IMEI data to the local database",
    "OK",
    "Cancel",
    "&Apply",
    "Internet connection",
    "Connect to the Internet using a proxy server",
    "Address:",
    "Port:",
    "Options",
};

}  // namespace

Language LanguageFromSetting(const std::string& languageId) {
    return languageId == "0" ? Language::Vietnamese : Language::English;
}

Language CurrentLanguage(SettingsStore& settings) {
    return LanguageFromSetting(settings.ReadSetting(kSettingsSection, kLanguageIdKey));
}

const MainCaptions& MainCaptionsFor(Language language) {
    return language == Language::Vietnamese ? kMainVietnamese : kMainEnglish;
}

const OptionsCaptions& OptionsCaptionsFor(Language language) {
    return language == Language::Vietnamese ? kOptionsVietnamese : kOptionsEnglish;
}

}  // namespace quorvel
