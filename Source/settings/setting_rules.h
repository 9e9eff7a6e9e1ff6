// How each setting of "quorvel.ini" is read: one table of the keys, what an
// empty or missing value stands for, and the rule its text is read by, both
// where the program acts on it and in the options dialog. Every reader goes
// through here, so a rule is changed in its one row.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/settings_store.h"

namespace quorvel {

enum class Setting {
    kLanguageId,
    kGetOnlineImei,
    kAddMissingImei,
    kProxyUsed,
    kProxyAddress,
    kProxyPort,
    kServiceHost,
};

// The rules a setting's text is read by.
enum class SettingReading {
    kText,          // the text as it stands
    kNumber,        // the numeric rule (NumericValue); as a switch, on for any value but 0
    kOnlyOne,       // a switch, on for the exact text "1" alone
    kOnlyZero,      // a switch, on for the exact text "0" alone
    kCheckedValue,  // a check box, ticked when the value rounds to the integer 1
};

struct SettingRule {
    Setting setting;
    const char* key;
    // What an empty or missing value reads as.
    const char* fallback;
    // How the program reads it: LanguageID "on" is Vietnamese.
    SettingReading reading;
    // How the options dialog shows it (the service host is not shown).
    SettingReading shownAs;
};

inline constexpr std::array<SettingRule, 7> kSettingRules = {{
    {Setting::kLanguageId, kLanguageIdKey, "", SettingReading::kOnlyZero,
     SettingReading::kOnlyZero},
    {Setting::kGetOnlineImei, kGetOnlineImeiKey, "", SettingReading::kOnlyOne,
     SettingReading::kCheckedValue},
    {Setting::kAddMissingImei, kAddMissingImeiKey, "", SettingReading::kOnlyOne,
     SettingReading::kCheckedValue},
    // The box shows whether look-ups go through the proxy.
    {Setting::kProxyUsed, kProxyUsedKey, "", SettingReading::kNumber, SettingReading::kNumber},
    {Setting::kProxyAddress, kProxyAddressKey, "", SettingReading::kText, SettingReading::kText},
    {Setting::kProxyPort, kProxyPortKey, "", SettingReading::kNumber, SettingReading::kText},
    // Where quorvel-service listens by default.
    {Setting::kServiceHost, kServiceHostKey, "127.0.0.1:8047", SettingReading::kText,
     SettingReading::kText},
}};

// The row of a setting.
const SettingRule& RuleOf(Setting setting);

// The stored text, or the row's fallback when it is empty.
std::string SettingText(SettingsStore& settings, Setting setting);

// The stored text read by the numeric rule, rounded (IntegerValue).
std::int32_t SettingInteger(SettingsStore& settings, Setting setting);

// Whether a switch is on, as the program acts on it; a text is never on.
bool IsSettingOn(SettingsStore& settings, Setting setting);

// Whether the options dialog ticks the setting's check box.
bool IsSettingChecked(SettingsStore& settings, Setting setting);

}  // namespace quorvel
