#include "ui/display_font.h"

#include "shared/text.h"

namespace quorvel {

std::string DisplayFontFilePath(const std::string& tempFolder) {
    if (tempFolder.empty()) return std::string();
    return AddBackslash(tempFolder) + kDisplayFontFileName;
}

std::string DisplayFontUnavailableMessage(Language language, const std::string& tempFolder) {
    if (language == Language::Vietnamese) {
        return "Quorvel khong the cai dat phong chu hien thi tu thu muc tam:\r\n" + tempFolder +
               "\r\n\r\nChuong trinh tiep tuc chay voi phong chu he thong, nen chu tieng Viet co "
               "the hien thi khong dung.";
    }
    return "Quorvel could not install its display font from the temporary folder:\r\n" +
           tempFolder +
           "\r\n\r\nIt runs on with the system font, so Vietnamese letters may not show "
           "correctly.";
}

}  // namespace quorvel
