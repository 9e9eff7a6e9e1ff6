#include "ui/display_font.h"

#include "settings/settings_store.h"

namespace quorvel {

std::string DisplayFontFilePath(const std::string& tempFolder) {
    if (tempFolder.empty()) return std::string();
    return AddBackslash(tempFolder) + kDisplayFontFileName;
}

}  // namespace quorvel
