// The messages of the on-line look-up in both interface languages.
#pragma once

#include <cstdint>
#include <string>

#include "ui/captions.h"

namespace quorvel {

// A look-up's download failed: two lines, an empty one, the cause label on a
// line of its own and the failure's text (in English) in "<" and ">".
std::string DownloadFailedMessage(Language language, std::int32_t why);

// The analysis service asks for a login: two lines.
std::string LoginRequiredMessage(Language language);

// Whether to add the handset found on-line to the user file: two lines.
std::string AddHandsetQuestion(Language language);

// The user file that could not be written, on a line of its own.
std::string UserFileNotWrittenMessage(Language language, const std::string& path);

}  // namespace quorvel
