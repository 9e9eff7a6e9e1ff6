#include "settings/setting_rules.h"

#include <cstddef>

#include "shared/numeric_text.h"

namespace quorvel {
namespace {

constexpr bool RowsInSettingOrder() {
    for (std::size_t i = 0; i < kSettingRules.size(); ++i) {
        if (static_cast<std::size_t>(kSettingRules[i].setting) != i) return false;
    }
    return true;
}
static_assert(RowsInSettingOrder(), "the row of a setting is found by its number");

bool IsOnBy(SettingReading reading, const std::string& text) {
    switch (reading) {
        case SettingReading::kNumber:
            return NumericValue(text) != 0.0;
        case SettingReading::kOnlyOne:
            return text == "1";
        case SettingReading::kOnlyZero:
            return text == "0";
        case SettingReading::kCheckedValue:
            return IntegerValue(text) == 1;
        case SettingReading::kText:
            break;
    }
    return false;
}

}  // namespace

const SettingRule& RuleOf(Setting setting) {
    return kSettingRules[static_cast<std::size_t>(setting)];
}

std::string SettingText(SettingsStore& settings, Setting setting) {
    const SettingRule& rule = RuleOf(setting);
    const std::string text = settings.ReadSetting(kSettingsSection, rule.key);
    return text.empty() ? rule.fallback : text;
}

std::int32_t SettingInteger(SettingsStore& settings, Setting setting) {
    return IntegerValue(SettingText(settings, setting));
}

bool IsSettingOn(SettingsStore& settings, Setting setting) {
    return IsOnBy(RuleOf(setting).reading, SettingText(settings, setting));
}

bool IsSettingChecked(SettingsStore& settings, Setting setting) {
    return IsOnBy(RuleOf(setting).shownAs, SettingText(settings, setting));
}

}  // namespace quorvel
