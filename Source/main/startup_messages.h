// The messages of a start-up that could not set everything up, in both
// interface languages.
#pragma once

#include <string>

#include "ui/captions.h"

namespace quorvel {

// The notification window could not be set up: the text of failure code 2 in
// parentheses (in English, as every failure text), then that the program runs
// on but every on-line look-up will fail.
std::string NetworkEventsUnavailableMessage(Language language);

// The main window could not be opened. The display font went with it, so the
// Vietnamese text has no marks.
const char* MainWindowUnavailableMessage(Language language);

}  // namespace quorvel
