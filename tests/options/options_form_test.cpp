#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "options/options_captions.h"
#include "options/options_form.h"
#include "options/options_texts.h"
#include "support/fake_options_view.h"
#include "support/fake_settings.h"
#include "ui/captions.h"

namespace quorvel {
namespace {

using test::FakeOptionsView;
using test::FakeSettings;

constexpr OptionsControl kProxyFields[] = {OptionsControl::Lb2, OptionsControl::Tx1,
                                           OptionsControl::Lb3, OptionsControl::Tx2};

TEST(OptionsValues, TheLanguageEntryAgreesWithTheCaptions) {
    struct Case {
        const char* stored;  // null: no key at all
        int entry;
    };
    const Case cases[] = {
        {nullptr, kEnglishEntryPosition}, {"", kEnglishEntryPosition},
        {"0", kVietnameseEntryPosition},  {"1", kEnglishEntryPosition},
        {"00", kEnglishEntryPosition},    {" 0", kEnglishEntryPosition},
        {"-1", kEnglishEntryPosition},    {"2", kEnglishEntryPosition},
        {"vi", kEnglishEntryPosition},    {"0.4", kEnglishEntryPosition},
    };
    for (const Case& c : cases) {
        FakeSettings settings;
        if (c.stored) settings.Set(kLanguageIdKey, c.stored);
        EXPECT_EQ(ReadOptionsValues(settings).languageEntry, c.entry)
            << "LanguageID " << (c.stored ? c.stored : "(missing)");
    }
}

TEST(OptionsValues, ACheckBoxIsCheckedOnlyByTheIntegerValueOne) {
    struct Case {
        const char* stored;
        bool checked;
    };
    const Case cases[] = {{"1", true},          {"0", false},   {"", false},    {"2", false},
                          {"-1", false},        {"yes", false}, {"1.0", true},  {" 1 ", true},
                          {"1x", true},         {"0.6", true},  {"1.5", false}, {"&H1", true},
                          {"&HFFFFFFFF", false}};
    for (const char* key : {kGetOnlineImeiKey, kAddMissingImeiKey, kProxyUsedKey}) {
        for (const Case& c : cases) {
            FakeSettings settings;
            settings.Set(key, c.stored);
            const OptionsValues values = ReadOptionsValues(settings);
            const bool read = key == kGetOnlineImeiKey    ? values.getOnline
                              : key == kAddMissingImeiKey ? values.addMissing
                                                          : values.proxyUsed;
            EXPECT_EQ(read, c.checked) << key << "=\"" << c.stored << "\"";
        }
    }
}

TEST(OptionsValues, WritesAllSixKeysInOrder) {
    FakeSettings settings;
    OptionsValues values;
    values.languageEntry = kVietnameseEntryPosition;
    values.getOnline = false;
    values.addMissing = true;
    values.proxyUsed = true;
    values.proxyAddress = " proxy:x ";
    values.proxyPort = "8080 abc";
    WriteOptionsValues(settings, values);
    EXPECT_EQ(settings.writes,
              (std::vector<std::string>{kLanguageIdKey, kGetOnlineImeiKey, kAddMissingImeiKey,
                                        kProxyUsedKey, kProxyAddressKey, kProxyPortKey}));
    const std::vector<std::pair<const char*, const char*>> expected = {
        {kLanguageIdKey, "0"}, {kGetOnlineImeiKey, "0"},        {kAddMissingImeiKey, "1"},
        {kProxyUsedKey, "1"},  {kProxyAddressKey, " proxy:x "}, {kProxyPortKey, "8080 abc"}};
    for (const auto& [key, value] : expected) {
        EXPECT_EQ(settings.values.at({kSettingsSection, key}), value) << key;
    }
}

class OptionsFormTest : public ::testing::Test {
protected:
    OptionsFormTest() {
        view.onTextChanged = [this] { form.OnProxyTextChanged(); };
    }

    bool Enabled(OptionsControl control) { return view.IsEnabled(control); }

    FakeSettings settings;
    FakeOptionsView view;
    std::vector<std::string> mainCaptionLanguages;  // LanguageID at each call
    OptionsForm form{
        view, settings, [this] {
            mainCaptionLanguages.push_back(settings.ReadSetting(kSettingsSection, kLanguageIdKey));
        }};
};

TEST_F(OptionsFormTest, OpensWithoutSettingsInEnglishWithNothingPending) {
    form.Open();
    EXPECT_EQ(view.entries, (std::vector<std::string>{kVietnameseEntry, kEnglishEntry}));
    EXPECT_EQ(view.selected, kEnglishEntryPosition);
    for (OptionsControl check : {OptionsControl::Ck1, OptionsControl::Ck2, OptionsControl::Cki}) {
        EXPECT_FALSE(view.IsChecked(check));
    }
    EXPECT_EQ(view.Text(OptionsControl::Tx1), "");
    EXPECT_EQ(view.Text(OptionsControl::Tx2), "");
    EXPECT_FALSE(Enabled(OptionsControl::Ck2));
    for (OptionsControl field : kProxyFields) EXPECT_FALSE(Enabled(field));
    // Setting the text boxes raised their change events; Apply is still off.
    EXPECT_FALSE(Enabled(OptionsControl::Cm3));
    EXPECT_EQ(view.Text(OptionsControl::Cm3), "&Apply");
    EXPECT_EQ(OptionsTitle(), "Options");
    EXPECT_TRUE(settings.writes.empty());
}

TEST_F(OptionsFormTest, EveryEditLeavesChangesPending) {
    const std::vector<std::pair<const char*, void (OptionsForm::*)()>> edits = {
        {"language chosen", &OptionsForm::OnLanguageChosen},
        {"CK1 clicked", &OptionsForm::OnGetOnlineClicked},
        {"CK2 clicked", &OptionsForm::OnAddMissingClicked},
        {"CKi clicked", &OptionsForm::OnUseProxyClicked},
        {"proxy text changed", &OptionsForm::OnProxyTextChanged},
    };
    for (const auto& [name, edit] : edits) {
        form.Open();
        ASSERT_FALSE(Enabled(OptionsControl::Cm3));
        (form.*edit)();
        EXPECT_TRUE(Enabled(OptionsControl::Cm3)) << name;
        form.Apply();
        EXPECT_FALSE(Enabled(OptionsControl::Cm3)) << name;
    }
}

// After each click: CK2 is enabled exactly while CK1 is checked, the proxy
// fields exactly while CKi is; a disabled CK2 keeps its mark and Apply writes it.
TEST_F(OptionsFormTest, ClicksEnableTheDependentControls) {
    struct Step {
        OptionsControl clicked;
        bool ck2Enabled;
        bool proxyEnabled;
    };
    const Step steps[] = {
        {OptionsControl::Ck1, true, false},  {OptionsControl::Ck2, true, false},
        {OptionsControl::Cki, true, true},   {OptionsControl::Ck1, false, true},
        {OptionsControl::Cki, false, false}, {OptionsControl::Ck1, true, false},
    };
    form.Open();
    for (const Step& step : steps) {
        view.checked[step.clicked] = !view.checked[step.clicked];  // the box toggles first
        if (step.clicked == OptionsControl::Ck1) form.OnGetOnlineClicked();
        if (step.clicked == OptionsControl::Ck2) form.OnAddMissingClicked();
        if (step.clicked == OptionsControl::Cki) form.OnUseProxyClicked();
        EXPECT_EQ(Enabled(OptionsControl::Ck2), step.ck2Enabled);
        for (OptionsControl field : kProxyFields) EXPECT_EQ(Enabled(field), step.proxyEnabled);
    }
    view.checked[OptionsControl::Ck1] = false;
    form.OnGetOnlineClicked();
    form.Apply();
    EXPECT_FALSE(Enabled(OptionsControl::Ck2));
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, kAddMissingImeiKey), "1");
}

TEST_F(OptionsFormTest, TheProxyTextsAreShownAndWrittenBack) {
    settings.Set(kProxyAddressKey, "proxy.local");
    settings.Set(kProxyPortKey, "3128");
    form.Open();
    EXPECT_EQ(view.Text(OptionsControl::Tx1), "proxy.local");
    EXPECT_EQ(view.Text(OptionsControl::Tx2), "3128");
    view.texts[OptionsControl::Tx1] = "other.local";
    view.texts[OptionsControl::Tx2] = "8080";
    form.Apply();
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, kProxyAddressKey), "other.local");
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, kProxyPortKey), "8080");
}

TEST_F(OptionsFormTest, ApplyWritesThenSwitchesBothWindowsThenRedrawsTheTitle) {
    form.Open();
    view.selected = kVietnameseEntryPosition;
    form.OnLanguageChosen();
    view.captionOrder.clear();
    form.Apply();

    EXPECT_EQ(settings.writes.size(), 6u);
    // The dialog's captions come from the language just written ...
    EXPECT_EQ(view.Text(OptionsControl::Cm2),
              OptionsCaptionsFor(Language::Vietnamese).cancelButton);
    EXPECT_EQ(view.captionOrder.size(), 10u);
    // ... then the main window's, once, after all six writes ...
    EXPECT_EQ(mainCaptionLanguages, std::vector<std::string>{"0"});
    // ... and the title is painted with the new OptionsTitle.
    EXPECT_EQ(view.redrawnTitles,
              std::vector<std::string>{OptionsCaptionsFor(Language::Vietnamese).title});
    EXPECT_FALSE(Enabled(OptionsControl::Cm3));
    EXPECT_EQ(view.closes, 0);
}

TEST_F(OptionsFormTest, OkAppliesOnlyPendingChangesAndCancelNeverWrites) {
    struct Case {
        const char* name;
        bool edit;
        bool ok;
        std::size_t writes;
    };
    const Case cases[] = {{"OK clean", false, true, 0},
                          {"OK pending", true, true, 6},
                          {"Cancel clean", false, false, 0},
                          {"Cancel pending", true, false, 0}};
    for (const Case& c : cases) {
        FakeSettings store;
        FakeOptionsView dialog;
        int mainCaptionCalls = 0;
        OptionsForm options(dialog, store, [&mainCaptionCalls] { ++mainCaptionCalls; });
        options.Open();
        if (c.edit) options.OnProxyTextChanged();
        c.ok ? options.Ok() : options.Cancel();
        EXPECT_EQ(store.writes.size(), c.writes) << c.name;
        EXPECT_EQ(mainCaptionCalls, c.writes ? 1 : 0) << c.name;
        EXPECT_EQ(dialog.closes, 1) << c.name;
    }
}

TEST(OptionsCaptions, ReadTheLanguageOnceAndSetTheTenCaptionsInOrder) {
    for (const auto& [stored, language] :
         {std::pair{"0", Language::Vietnamese}, std::pair{"00", Language::English},
          std::pair{"", Language::English}}) {
        FakeSettings settings;
        settings.Set(kLanguageIdKey, stored);
        FakeOptionsView view;
        ApplyOptionsCaptions(settings, view);
        EXPECT_EQ(settings.reads, 1);
        const OptionsCaptions& c = OptionsCaptionsFor(language);
        EXPECT_EQ(
            view.captionOrder,
            (std::vector<OptionsControl>{
                OptionsControl::Lb1, OptionsControl::Ck1, OptionsControl::Ck2, OptionsControl::Cm1,
                OptionsControl::Cm2, OptionsControl::Cm3, OptionsControl::Fr1, OptionsControl::Cki,
                OptionsControl::Lb2, OptionsControl::Lb3}));
        const std::vector<std::pair<OptionsControl, const char*>> expected = {
            {OptionsControl::Lb1, c.languageLabel},     {OptionsControl::Ck1, c.getOnlineCheck},
            {OptionsControl::Ck2, c.addMissingCheck},   {OptionsControl::Cm1, c.okButton},
            {OptionsControl::Cm2, c.cancelButton},      {OptionsControl::Cm3, c.applyButton},
            {OptionsControl::Fr1, c.connectionFrame},   {OptionsControl::Cki, c.useProxyCheck},
            {OptionsControl::Lb2, c.proxyAddressLabel}, {OptionsControl::Lb3, c.proxyPortLabel}};
        for (const auto& [control, text] : expected) {
            EXPECT_EQ(view.texts[control], text) << "LanguageID \"" << stored << "\"";
        }
        EXPECT_EQ(OptionsTitle(), c.title);
    }
}

}  // namespace
}  // namespace quorvel
