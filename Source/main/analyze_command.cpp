#include "main/analyze_command.h"

#include <exception>
#include <optional>

#include "imei/imei.h"
#include "main/analyze_messages.h"
#include "main/result_text.h"
#include "settings/setting_rules.h"
#include "shared/text.h"
#include "ui/captions.h"
#include "ui/message_prompt.h"

namespace quorvel {
namespace {

std::string SafeLookup(const TacLookup& lookupTac, const std::string& tac) {
    try {
        return lookupTac(tac);
    } catch (const std::exception&) {
        return kUnknownLookupResult;
    }
}

}  // namespace

void RunAnalyzeCommand(MainView& view, SettingsStore& settings, const TacLookup& lookupTac) {
    const Language language = CurrentLanguage(settings);
    const AnalyzeMessages& messages = AnalyzeMessagesFor(language);
    view.SetResultText("");

    const std::string typed = TrimSpaces(view.ImeiText());
    view.SetImeiText(typed);
    std::string imei = RemoveImeiSeparators(typed);
    const std::optional<std::string> checkDigit = CheckDigit(imei);
    // A non-digit among the first 14 (only pasting brings one) has no check
    // digit: it is reported like a wrong length, never as a question with
    // nothing between its braces.
    if (imei.size() != kImeiLength || !checkDigit) {
        view.ShowMessage(messages.wrongLength, kStyleExclamationOk, messages.title);
        return;
    }

    std::optional<std::string> corrected;
    if (imei[kImeiLength - 1] != (*checkDigit)[0]) {
        const std::string question = WrongCheckDigitMessage(language, *checkDigit);
        if (view.ShowMessage(question, kStyleQuestionYesNo, messages.title) != kResultYes) return;
        imei[kImeiLength - 1] = (*checkDigit)[0];
        corrected = CorrectedImeiText(typed, (*checkDigit)[0]);
        view.SetImeiText(*corrected);
    }

    view.EnableCommands(false);
    const std::string tac = imei.substr(0, kTacLength);
    const std::string lookupResult = SafeLookup(lookupTac, tac);
    const bool known = lookupResult != kUnknownLookupResult;
    view.SetResultText(LocalResultText(typed, corrected, lookupResult, tac));

    bool online = false;
    if (IsSettingOn(settings, Setting::kGetOnlineImei)) {
        online = true;
    } else if (!known) {
        online = view.ShowMessage(messages.notFoundLocally, kStyleQuestionYesNo, messages.title) ==
                 kResultYes;
    }
    if (!online) {
        view.EnableCommands(true);
        return;
    }
    view.StartOnlineLookup(imei);
}

}  // namespace quorvel
