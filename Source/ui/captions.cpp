#include "ui/captions.h"

#include "settings/setting_rules.h"

namespace quorvel {
namespace {

// Byte literals are split after a hex escape whenever a hex digit follows.
constexpr MainCaptions kMainVietnamese = {
    // "&Nhập vào số IMEI:"
    "&Nh\xCBp v\xAAo s\xE7 IMEI:",
    // "Bạn có thể xem số IMEI bằng cách bấm *#06# từ màn hình chờ của máy điện thoại di động. Số
    // IMEI cũng thường được in ở phía sau thân máy."
    "B\xC1n c\xE2 th\xD3 xem s\xE7 IMEI b\xC2ng c\xC0"
    "ch b\xCAm *#06# t\xF4 m\xAAn h\xD8nh ch\xE9 c\xEF"
    "a m\xC0y \xA2i\xD6n tho\xC1i di \xA2"
    "\xE8ng. S\xE7 IMEI c\xF1ng th\xA7"
    "\xE9ng \xA2"
    "\xA7"
    "\xED"
    "c in \xEA ph\xDB"
    "a sau th\xA1n m\xC0y.",
    // "&Phân tích"
    "&Ph\xA1n t\xDB"
    "ch",
    // "&Lưu"
    "&L\xA7u",
    // "&Xoá"
    "&Xo\xC0",
    // "&Tuỳ chọn..."
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

}  // namespace

Language CurrentLanguage(SettingsStore& settings) {
    return IsSettingOn(settings, Setting::kLanguageId) ? Language::Vietnamese : Language::English;
}

const MainCaptions& MainCaptionsFor(Language language) {
    return language == Language::Vietnamese ? kMainVietnamese : kMainEnglish;
}

}  // namespace quorvel
