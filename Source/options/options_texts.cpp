#include "options/options_texts.h"

namespace quorvel {
namespace {

// Byte literals are split after a hex escape whenever a hex digit follows.
constexpr OptionsCaptions kOptionsVietnamese = {
    // "&Language / Ngôn ngữ:"
    "&Language / Ng\xA4n ng\xF6:",
    // "Lấy thông tin trực tuyến của IMEI từ Intern&et"
    "L\xCAy th\xA4ng tin tr\xF8"
    "c tuy\xD5n c\xEF"
    "a IMEI t\xF4 Intern&et",
    // "Thê&m IMEI còn thiếu vào cơ sở dữ liệu của chương trình"
    "Th\xA3&m IMEI c\xDFn thi\xD5u v\xAAo c\xA5 s\xEA d\xF6 li\xD6u c\xEF"
    "a ch\xA7"
    "\xA5ng tr\xD8nh",
    // "Đóng"
    "\x98"
    "\xE2ng",
    // "Thoát"
    "Tho\xC0t",
    // "Đồ&ng ý"
    "\x98"
    "\xE4&ng \xFC",
    // "Kết nối Internet"
    "K\xD5t n\xE7i Internet",
    // "Kết nối thông qua proxy"
    "K\xD5t n\xE7i th\xA4ng qua proxy",
    // "Địa chỉ:"
    "\x98"
    "\xDC"
    "a ch\xD9:",
    // "Cổng:"
    "C\xE5ng:",
    // "Tuỳ chọn"
    "Tu\xF9 ch\xE3n",
};

constexpr OptionsCaptions kOptionsEnglish = {
    // "Ngôn ngữ / &Language:"
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

const OptionsCaptions& OptionsCaptionsFor(Language language) {
    return language == Language::Vietnamese ? kOptionsVietnamese : kOptionsEnglish;
}

}  // namespace quorvel
