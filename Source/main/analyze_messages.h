// The messages of the Analyze command in both interface languages. The
// wrong-check-digit message holds the expected digit between its two pieces.
#pragma once

#include <string>

#include "ui/captions.h"

namespace quorvel {

struct AnalyzeMessages {
    const char* title;                  // of every message box
    const char* wrongLength;            // the IMEI is not 15 characters long
    const char* wrongCheckDigitBefore;  // up to and including "{"
    const char* wrongCheckDigitAfter;   // from "}." on, with the question
    const char* notFoundLocally;        // the question before going on-line
};

const AnalyzeMessages& AnalyzeMessagesFor(Language language);

// The wrong-check-digit message with the expected digit between the braces.
std::string WrongCheckDigitMessage(Language language, const std::string& expectedDigit);

}  // namespace quorvel
