#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "options/options_form.h"
#include "shared/text.h"
#include "support/cp1252.h"
#include "support/fake_settings.h"

namespace quorvel {
namespace {

using C = OptionsControl;
using test::Cp1252;

// An in-memory options dialog. Like the real controls, a text box raises its
// change event when its text is set, and every control starts enabled.
class FakeOptionsView : public OptionsView {
public:
    void AddLanguageEntry(const std::string& entry) override { entries.push_back(entry); }
    int SelectedLanguageEntry() override { return selected; }
    void SelectLanguageEntry(int position) override { selected = position; }
    std::string Text(C control) override { return texts[control]; }
    void SetText(C control, const std::string& text) override {
        texts[control] = text;
        if (control == C::Tx1 || control == C::Tx2) onTextChanged();
    }
    bool IsChecked(C control) override { return checked[control]; }
    void SetChecked(C control, bool check) override { checked[control] = check; }
    bool IsEnabled(C control) override { return !disabled[control]; }
    void Enable(C control, bool enable) override { disabled[control] = !enable; }
    void SetTitle(const std::string& text) override { title = text; }
    void RedrawTitle() override { redrawnTitles.push_back(title); }
    void Close() override { ++closes; }

    std::vector<std::string> entries;
    int selected = -1;
    std::map<C, std::string> texts;
    std::map<C, bool> checked, disabled;
    std::string title;
    std::vector<std::string> redrawnTitles;  // the title at each redraw
    int closes = 0;
    std::function<void()> onTextChanged;
};

const std::vector<std::string> kKeys = {kLanguageIdKey, kGetOnlineImeiKey, kAddMissingImeiKey,
                                        kProxyUsedKey,  kProxyAddressKey,  kProxyPortKey};

class OptionsFormTest : public ::testing::Test {
protected:
    // A dialog opened over the settings "LanguageID|GetOnlineIMEI|...|ProxyPort"
    // (empty values left out), then the events: CK1 (1), CK2 (2) or CKi (i)
    // clicked, Vietnamese chosen (V), a proxy text changed (T), Apply (A), OK
    // (O). (Cancel, which only closes, is tested with the real dialog.)
    void Run(const std::string& stored, const std::string& events) {
        settings = {};
        view = {};
        view.onTextChanged = [this] { form.OnProxyTextChanged(); };
        std::size_t key = 0;  // an empty value reads as a missing one
        for (const std::string& value : SplitText(stored, "|"))
            settings.values[{kSettingsSection, kKeys[key++]}] = value;
        form.Open();
        using F = OptionsForm;
        // clang-format off
        void (F::*const handlers[])() = {&F::OnGetOnlineClicked, &F::OnAddMissingClicked,
            &F::OnUseProxyClicked, &F::OnLanguageChosen, &F::Apply, &F::Ok};
        // clang-format on
        for (char event : events) {
            const C box = event == '1' ? C::Ck1 : event == '2' ? C::Ck2 : C::Cki;
            if (box != C::Cki || event == 'i') view.checked[box] = !view.checked[box];  // it tells
            if (event == 'V') view.selected = 0;
            if (event == 'T') view.SetText(C::Tx2, "8");  // the box tells
            if (event != 'T') (form.*handlers[std::string("12iVAO").find(event)])();
        }
    }

    test::FakeSettings settings;
    FakeOptionsView view;
    std::vector<std::string> mainCaptions;  // LanguageID each time the main window's are applied
    OptionsForm form{
        view, settings,
        [this] { mainCaptions.push_back(settings.ReadSetting(kSettingsSection, kLanguageIdKey)); }};
};

// The state after: the selected entry, the checks of CK1 CK2 CKi, the enabled
// states of CK2, the proxy fields LB2 TX1 LB3 TX2 and Apply, the number of
// closes, then the six values written, each after a "|", in the order above.
TEST_F(OptionsFormTest, OpeningEditsApplyAndOk) {
    const struct {
        const char *stored, *events, *state;
    } rows[] = {
        // clang-format off
        {"", "", "1 000 000000 0"},                         {"0|1|1|0", "", "0 110 100000 0"},
        {"00|2|yes| 2 |x|abc", "A", "1 001 011110 0|1|0|0|1|x|abc"},
        {"1|0|1|1|proxy.local|3128", "A", "1 011 011110 0|1|0|1|1|proxy.local|3128"},
        {"", "1", "1 100 100001 0"},                        {"", "i", "1 001 011111 0"},
        {"", "1A", "1 100 100000 0|1|1|0|0||"},             {"", "TO", "1 000 000000 1|1|0|0|0||8"},
        {"", "121TA", "1 010 000000 0|1|0|1|0||8"},  // a disabled CK2 keeps its mark
        // clang-format on
    };
    for (const auto& row : rows) {
        Run(row.stored, row.events);
        std::string state = std::to_string(view.selected) + " ";
        for (C box : {C::Ck1, C::Ck2, C::Cki}) state += view.IsChecked(box) ? '1' : '0';
        state += ' ';
        for (C c : {C::Ck2, C::Lb2, C::Tx1, C::Lb3, C::Tx2, C::Cm3})
            state += view.IsEnabled(c) ? '1' : '0';
        state += " " + std::to_string(view.closes);
        EXPECT_EQ(settings.writes.empty() ? kKeys : settings.writes, kKeys);  // all six or none
        for (const std::string& key : settings.writes)
            state += "|" + settings.values[{kSettingsSection, key}];
        EXPECT_EQ(state, row.state) << row.stored << " then " << row.events;
    }
}

// Opening shows the captions of the stored language; Apply writes first and
// then switches both windows and paints the new title.
TEST_F(OptionsFormTest, CaptionsOfBothLanguagesFollowApply) {
    // The texts of the controls in the order of their ids (the proxy boxes'
    // empty), then the title.
    const auto shown = [this] {
        std::string texts;
        for (const auto& [control, text] : view.texts) texts += text + "\n";
        return texts + view.title;
    };
    Run("1", "");
    EXPECT_EQ(shown(), Cp1252("OK\nCancel\nNg¤n ngö / &Language:\nGet online IMEI data from the "
                              "Intern&et\nAdd &missing IMEI data to the local database\nInternet "
                              "connection\nConnect to the Internet using a proxy server\nAddress:"
                              "\n\nPort:\n\n&Apply\nOptions"));
    EXPECT_EQ(view.entries, (std::vector<std::string>{Cp1252("TiÕng ViÖt"), "English"}));
    Run("1", "VA");
    EXPECT_EQ(shown(),
              Cp1252("˜âng\nThoÀt\n&Language / Ng¤n ngö:\nLÊy th¤ng tin trøc tuyÕn cïa IMEI tô "
                     "Intern&et\nTh£&m IMEI cßn thiÕu vªo c¥ sê dö liÖu cïa ch§¥ng trØnh\nKÕt "
                     "nçi Internet\nKÕt nçi th¤ng qua proxy\n˜Üa chÙ:\n\nCång:\n\n˜ä&ng ü\n"
                     "Tuù chãn"));
    EXPECT_EQ(view.redrawnTitles, std::vector<std::string>{view.title});
    EXPECT_EQ(mainCaptions, (std::vector<std::string>{"0"}));
}

}  // namespace
}  // namespace quorvel
