// The Analyze command: turns the text of the IMEI box into a checked 15-digit
// IMEI, writes the local analysis into the result box and decides whether to
// go on-line. It talks to the main window only through MainView.
#pragma once

#include <functional>
#include <string>

#include "main/main_view.h"
#include "settings/settings_store.h"

namespace quorvel {

// LookupTac over the program's sources: the "|"-separated fields for the
// IMEI's first eight digits.
using TacLookup = std::function<std::string(const std::string& tac)>;

// Runs the command once. A lookup that throws counts as an unknown TAC.
void RunAnalyzeCommand(MainView& view, SettingsStore& settings, const TacLookup& lookupTac);

}  // namespace quorvel
