#include "main/save_messages.h"

namespace quorvel {
namespace {

// Byte literals are split after a hex escape whenever a hex digit follows.
constexpr SaveMessages kVietnamese = {
    // "Thông báo"
    "Th\xA4ng b\xC0o",
    // "Không lưu được kết quả vào tập tin:"
    "Kh\xA4ng l\xA7u \xA2"
    "\xA7"
    "\xED"
    "c k\xD5t qu\xB6 v\xAAo t\xCBp tin:",
    // "Thư mục không tồn tại hay không cho tạo tập tin mới."
    "Th\xA7 m\xF3"
    "c kh\xA4ng t\xE4n t\xC1i hay kh\xA4ng cho t\xC1o t\xCBp tin m\xECi.",
    // "Không ghi được hết tập tin, có thể đã hết dung lượng."
    "Kh\xA4ng ghi \xA2"
    "\xA7"
    "\xED"
    "c h\xD5t t\xCBp tin, c\xE2 th\xD3 \xA2"
    "\xBA h\xD5t dung l\xA7"
    "\xEDng.",
    // "Không thay được tập tin cũ, có thể chương trình khác đang dùng nó."
    "Kh\xA4ng thay \xA2"
    "\xA7"
    "\xED"
    "c t\xCBp tin c\xF1, c\xE2 th\xD3 ch\xA7"
    "\xA5ng tr\xD8nh kh\xC0"
    "c \xA2"
    "ang d\xEEng n\xE2.",
    // "Không có tập tin nào bị thay đổi."
    "Kh\xA4ng c\xE2 t\xCBp tin n\xAAo b\xDC thay \xA2"
    "\xE5i.",
};

constexpr SaveMessages kEnglish = {
    "Warning",
    "The results could not be saved to the file:",
    "The folder does not exist or does not accept new files.",
    "The file could not be written completely; the disk may be full.",
    "The existing file could not be replaced; another program may be using it.",
    "No file was changed.",
};

}  // namespace

const SaveMessages& SaveMessagesFor(Language language) {
    return language == Language::Vietnamese ? kVietnamese : kEnglish;
}

}  // namespace quorvel
