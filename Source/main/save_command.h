// The Save command: asks for a file in the interface language and writes the
// result text there, reporting through a message box when the file could not
// be written. It talks to the main window only through MainView.
#pragma once

#include <functional>
#include <string>

#include "main/main_view.h"
#include "settings/settings_store.h"
#include "ui/captions.h"
#include "ui/safe_save.h"

namespace quorvel {

// Shows the Save As dialog of the language; returns the chosen path, or the
// empty text when nothing was chosen.
using SavePathQuestion = std::function<std::string(Language language)>;

// Runs the command once: reads LanguageID anew, asks for the path, and
// writes the result box's text to it unchanged, byte for byte.
void RunSaveCommand(MainView& view, SettingsStore& settings, ResultFiles& files,
                    const SavePathQuestion& askPath);

// The message box text that reports a failed save, and its title.
std::string SaveFailedMessage(Language language, SaveOutcome outcome, const std::string& path);
const char* SaveFailedTitle(Language language);

}  // namespace quorvel
