// The Analyze command: turns the text of the IMEI box into a checked 15-digit
// IMEI, writes the local analysis into the result box and decides whether to
// go on-line. It talks to the main window only through MainView.
#pragma once

#include <functional>
#include <string>

#include "main/main_view.h"
#include "settings/settings_store.h"

namespace quorvel {

// Message box styles used by the command.
inline constexpr int kStyleExclamationOk = 0x30;
inline constexpr int kStyleQuestionYesNo = 0x24;
inline constexpr int kAnswerYes = 6;

// LookupTac over the program's sources: the "|"-separated fields for a TAC.
using TacLookup = std::function<std::string(const std::string& tac)>;

// Runs the command once. A lookup that throws counts as an unknown TAC.
void RunAnalyzeCommand(MainView& view, SettingsStore& settings, const TacLookup& lookupTac);

}  // namespace quorvel
