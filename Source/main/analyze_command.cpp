#include "main/analyze_command.h"

#include <exception>
#include <optional>

#include "imei/imei.h"
#include "main/result_text.h"
#include "ui/captions.h"

namespace quorvel {
namespace {

constexpr AnalyzeMessages kVietnamese = {
    "Th\xA4ng b\xC0o",
    "S\xE7 IMEI kh\xA4ng h\xEDp l\xD6. \x98"
    "\xE8 d\xAAi c\xEF"
    "a s\xE7 IMEI ph\xB6i l\xAA 15 ch\xF6 s\xE7.",
    "S\xE7 IMEI kh\xA4ng h\xEDp l\xD6. Ch\xF6 s\xE7 cu\xE7i c\xEEng ph\xB6i l\xAA {",
    "}.\r\nB\xC1n c\xE2 mu\xE7n s\xF5"
    "a th\xAAnh s\xE7 IMEI h\xEDp l\xD6 kh\xA4ng?",
    "Kh\xA4ng c\xE2 th\xA4ng tin v\xD2 s\xE7 IMEI trong CSDL c\xEF"
    "a ch\xA7"
    "\xA5ng tr\xD8nh.\r\nB\xC1n c\xE2 mu\xE7n t\xD8m th\xA4ng tin IMEI t\xF4 Internet kh\xA4ng?",
};

constexpr AnalyzeMessages kEnglish = {
    "Warning",
    "Invalid IMEI. The IMEI should be 15-digit number.",
    "Invalid IMEI. The last check digit should be {",
    "}.\r\nDo you want to correct it?",
    "The information for this IMEI was not found in the local database.\r\nDo you want to search "
    "from the Internet?",
};

bool IsSeparator(char c) { return c == ' ' || c == '-' || c == '/'; }

std::string WithoutSeparators(const std::string& text) {
    std::string imei;
    for (char c : text) {
        if (!IsSeparator(c)) imei.push_back(c);
    }
    return imei;
}

// Replaces the character of the typed text that became the IMEI's last
// digit, so that separators typed after it stay where they are.
std::string WithCorrectedDigit(std::string typed, char digit) {
    for (std::string::size_type i = typed.size(); i-- > 0;) {
        if (!IsSeparator(typed[i])) {
            typed[i] = digit;
            break;
        }
    }
    return typed;
}

std::string SafeLookup(const TacLookup& lookupTac, const std::string& tac) {
    try {
        return lookupTac(tac);
    } catch (const std::exception&) {
        return kUnknownLookupResult;
    }
}

}  // namespace

const AnalyzeMessages& AnalyzeMessagesFor(bool vietnamese) {
    return vietnamese ? kVietnamese : kEnglish;
}

void RunAnalyzeCommand(AnalyzeView& view, SettingsStore& settings, const TacLookup& lookupTac) {
    const AnalyzeMessages& messages =
        AnalyzeMessagesFor(CurrentLanguage(settings) == Language::Vietnamese);
    view.SetResultText("");

    const std::string typed = TrimSpaces(view.ImeiText());
    view.SetImeiText(typed);
    std::string imei = WithoutSeparators(typed);
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
        const std::string question =
            messages.wrongCheckDigitBefore + *checkDigit + messages.wrongCheckDigitAfter;
        if (view.ShowMessage(question, kStyleQuestionYesNo, messages.title) != kAnswerYes) return;
        imei[kImeiLength - 1] = (*checkDigit)[0];
        corrected = WithCorrectedDigit(typed, (*checkDigit)[0]);
        view.SetImeiText(*corrected);
    }

    view.EnableCommands(false);
    const std::string tac = imei.substr(0, kTacLength);
    const std::string lookupResult = SafeLookup(lookupTac, tac);
    const bool known = lookupResult != kUnknownLookupResult;
    view.SetResultText(LocalResultText(typed, corrected, lookupResult, tac));

    bool online = false;
    if (settings.ReadSetting(kSettingsSection, kGetOnlineImeiKey) == "1") {
        online = true;
    } else if (!known) {
        online = view.ShowMessage(messages.notFoundLocally, kStyleQuestionYesNo, messages.title) ==
                 kAnswerYes;
    }
    if (!online) {
        view.EnableCommands(true);
        return;
    }
    view.StartOnlineLookup(imei);
}

}  // namespace quorvel
