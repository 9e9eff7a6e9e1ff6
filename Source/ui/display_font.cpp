#include "ui/display_font.h"

#include "shared/text.h"

namespace quorvel {

std::string DisplayFontFilePath(const std::string& tempFolder) {
    if (tempFolder.empty()) return std::string();
    return AddBackslash(tempFolder) + kDisplayFontFileName;
}

}  // namespace quorvel
