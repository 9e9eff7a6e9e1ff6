#include "options/options_form.h"

#include <utility>

#include "options/options_captions.h"
#include "options/options_texts.h"
#include "settings/setting_rules.h"
#include "ui/captions.h"

namespace quorvel {
namespace {

std::string CheckText(bool checked) { return checked ? "1" : "0"; }

constexpr OptionsControl kProxyFields[] = {OptionsControl::Lb2, OptionsControl::Tx1,
                                           OptionsControl::Lb3, OptionsControl::Tx2};

}  // namespace

OptionsValues ReadOptionsValues(SettingsStore& settings) {
    OptionsValues values;
    values.languageEntry = CurrentLanguage(settings) == Language::Vietnamese
                               ? kVietnameseEntryPosition
                               : kEnglishEntryPosition;
    values.getOnline = IsSettingChecked(settings, Setting::kGetOnlineImei);
    values.addMissing = IsSettingChecked(settings, Setting::kAddMissingImei);
    values.proxyUsed = IsSettingChecked(settings, Setting::kProxyUsed);
    values.proxyAddress = SettingText(settings, Setting::kProxyAddress);
    values.proxyPort = SettingText(settings, Setting::kProxyPort);
    return values;
}

void WriteOptionsValues(SettingsStore& settings, const OptionsValues& values) {
    settings.WriteSetting(kSettingsSection, kLanguageIdKey, std::to_string(values.languageEntry));
    settings.WriteSetting(kSettingsSection, kGetOnlineImeiKey, CheckText(values.getOnline));
    settings.WriteSetting(kSettingsSection, kAddMissingImeiKey, CheckText(values.addMissing));
    settings.WriteSetting(kSettingsSection, kProxyUsedKey, CheckText(values.proxyUsed));
    settings.WriteSetting(kSettingsSection, kProxyAddressKey, values.proxyAddress);
    settings.WriteSetting(kSettingsSection, kProxyPortKey, values.proxyPort);
}

OptionsForm::OptionsForm(OptionsView& view, SettingsStore& settings,
                         std::function<void()> applyMainCaptions)
    : view_(view), settings_(settings), applyMainCaptions_(std::move(applyMainCaptions)) {}

void OptionsForm::Open() {
    view_.AddLanguageEntry(kVietnameseEntry);
    view_.AddLanguageEntry(kEnglishEntry);
    ApplyOptionsCaptions(settings_, view_);
    ShowValues(ReadOptionsValues(settings_));
    EnableDependentControls();
    view_.Enable(OptionsControl::Cm3, false);
}

void OptionsForm::OnLanguageChosen() { MarkPending(); }

void OptionsForm::OnGetOnlineClicked() {
    EnableDependentControls();
    MarkPending();
}

void OptionsForm::OnAddMissingClicked() { MarkPending(); }

void OptionsForm::OnUseProxyClicked() {
    EnableDependentControls();
    MarkPending();
}

void OptionsForm::OnProxyTextChanged() { MarkPending(); }

void OptionsForm::Apply() {
    WriteOptionsValues(settings_, ShownValues());
    ApplyOptionsCaptions(settings_, view_);
    if (applyMainCaptions_) applyMainCaptions_();
    view_.RedrawTitle();
    view_.Enable(OptionsControl::Cm3, false);
}

void OptionsForm::Ok() {
    if (view_.IsEnabled(OptionsControl::Cm3)) Apply();
    view_.Close();
}

void OptionsForm::Cancel() { view_.Close(); }

void OptionsForm::ShowValues(const OptionsValues& values) {
    view_.SelectLanguageEntry(values.languageEntry);
    view_.SetChecked(OptionsControl::Ck1, values.getOnline);
    view_.SetChecked(OptionsControl::Ck2, values.addMissing);
    view_.SetChecked(OptionsControl::Cki, values.proxyUsed);
    view_.SetText(OptionsControl::Tx1, values.proxyAddress);
    view_.SetText(OptionsControl::Tx2, values.proxyPort);
}

OptionsValues OptionsForm::ShownValues() {
    OptionsValues values;
    values.languageEntry = view_.SelectedLanguageEntry();
    values.getOnline = view_.IsChecked(OptionsControl::Ck1);
    values.addMissing = view_.IsChecked(OptionsControl::Ck2);
    values.proxyUsed = view_.IsChecked(OptionsControl::Cki);
    values.proxyAddress = view_.Text(OptionsControl::Tx1);
    values.proxyPort = view_.Text(OptionsControl::Tx2);
    return values;
}

// A disabled control keeps its check mark or text; Apply writes it all the same.
void OptionsForm::EnableDependentControls() {
    view_.Enable(OptionsControl::Ck2, view_.IsChecked(OptionsControl::Ck1));
    const bool proxyUsed = view_.IsChecked(OptionsControl::Cki);
    for (OptionsControl field : kProxyFields) view_.Enable(field, proxyUsed);
}

void OptionsForm::MarkPending() { view_.Enable(OptionsControl::Cm3, true); }

}  // namespace quorvel
