// The messages of the Save command in both interface languages.
#pragma once

#include "ui/captions.h"

namespace quorvel {

struct SaveMessages {
    const char* title;
    const char* lead;  // followed by the path on a line of its own
    const char* folderRefused;
    const char* writeFailed;
    const char* replaceFailed;
    const char* nothingChanged;  // ends every report
};

const SaveMessages& SaveMessagesFor(Language language);

}  // namespace quorvel
