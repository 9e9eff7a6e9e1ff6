// The display font's resource and the name of the temporary file that carries
// it while the program runs.
#pragma once

#include <string>

#include "ui/captions.h"

namespace quorvel {

// Resource 12340 of type "DATA": the bitmap font file of kDisplayFontFace.
inline constexpr int kDisplayFontResourceId = 12340;

// "~DF9BA6Z.vwf" and one no-break space (byte 0xA0 of the ANSI code page).
inline constexpr const char* kDisplayFontFileName = "~DF9BA6Z.vwf\xA0";

// The temporary font file in the given temporary folder, or the empty text
// when no folder is known (the file is then not written anywhere).
std::string DisplayFontFilePath(const std::string& tempFolder);

// That the display font could not be installed from tempFolder, and that the
// program runs on with the system font. Shown without the display font, so
// the Vietnamese text has no marks.
std::string DisplayFontUnavailableMessage(Language language, const std::string& tempFolder);

}  // namespace quorvel
