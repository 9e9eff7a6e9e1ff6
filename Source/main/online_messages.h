// The messages of the on-line look-up in both interface languages.
#pragma once

#include "ui/captions.h"

namespace quorvel {

struct OnlineMessages {
    const char* failureFirst;
    const char* failureSecond;
    const char* causeLabel;
    const char* loginFirst;
    const char* loginSecond;
    const char* addFirst;
    const char* addSecond;
    const char* userFileNotWritten;
};

const OnlineMessages& OnlineMessagesFor(Language language);

}  // namespace quorvel
