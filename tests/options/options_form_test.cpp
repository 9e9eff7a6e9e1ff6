#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "options/options_captions.h"
#include "options/options_form.h"
#include "shared/text.h"
#include "support/cp1252.h"
#include "support/fake_options_view.h"
#include "support/fake_settings.h"

namespace quorvel {
namespace {

using C = OptionsControl;
using test::Cp1252;

const std::vector<std::string> kKeys = {kLanguageIdKey, kGetOnlineImeiKey, kAddMissingImeiKey,
                                        kProxyUsedKey,  kProxyAddressKey,  kProxyPortKey};

class OptionsFormTest : public ::testing::Test {
protected:
    // A dialog opened over the settings "LanguageID|GetOnlineIMEI|...|ProxyPort"
    // (empty values left out), then the events: CK1 (1), CK2 (2) or CKi (i)
    // clicked, Vietnamese chosen (V), a proxy text changed (T), Apply (A), OK
    // (O), Cancel (C).
    void Run(const std::string& stored, const std::string& events) {
        settings = {};
        view = {};
        view.onTextChanged = [this] { form.OnProxyTextChanged(); };
        std::size_t key = 0;  // an empty value reads as a missing one
        for (const std::string& value : SplitText(stored, "|")) settings.Set(kKeys[key++], value);
        form.Open();
        using F = OptionsForm;
        // clang-format off
        void (F::*const handlers[])() = {&F::OnGetOnlineClicked, &F::OnAddMissingClicked,
            &F::OnUseProxyClicked, &F::OnLanguageChosen, &F::Apply, &F::Ok, &F::Cancel};
        // clang-format on
        for (char event : events) {
            const C box = event == '1' ? C::Ck1 : event == '2' ? C::Ck2 : C::Cki;
            if (box != C::Cki || event == 'i') view.checked[box] = !view.checked[box];  // it tells
            if (event == 'V') view.selected = 0;
            if (event == 'T') view.SetText(C::Tx2, "8");  // the box tells
            if (event != 'T') (form.*handlers[std::string("12iVAOC").find(event)])();
        }
    }
    // The selected entry, the checks of CK1 CK2 CKi, the enabled states of CK2,
    // the proxy fields LB2 TX1 LB3 TX2 and Apply, and the number of closes.
    std::string State() {
        std::string state = std::to_string(view.selected) + " ";
        for (C box : {C::Ck1, C::Ck2, C::Cki}) state += view.IsChecked(box) ? '1' : '0';
        state += ' ';
        for (C c : {C::Ck2, C::Lb2, C::Tx1, C::Lb3, C::Tx2, C::Cm3})
            state += view.IsEnabled(c) ? '1' : '0';
        return state + " " + std::to_string(view.closes);
    }
    // The six values written, as stored above; empty when nothing was written.
    std::string Written() {
        if (settings.writes.empty()) return "";
        EXPECT_EQ(settings.writes, kKeys);
        std::string written;
        for (const std::string& key : kKeys)
            written += "|" + settings.values[{kSettingsSection, key}];
        return written.substr(1);
    }

    test::FakeSettings settings;
    test::FakeOptionsView view;
    std::vector<std::string> mainCaptions;  // LanguageID each time the main window's are applied
    OptionsForm form{
        view, settings,
        [this] { mainCaptions.push_back(settings.ReadSetting(kSettingsSection, kLanguageIdKey)); }};
};

TEST_F(OptionsFormTest, OpeningEditsApplyOkAndCancel) {
    const struct {
        const char *stored, *events, *state, *written;
    } rows[] = {
        // clang-format off
        {"", "", "1 000 000000 0", ""},              {"0|1|1|0", "", "0 110 100000 0", ""},
        {"00|2|yes| 2 |x|abc", "A", "1 001 011110 0", "1|0|0|1|x|abc"},
        {"1|0|1|1|proxy.local|3128", "A", "1 011 011110 0", "1|0|1|1|proxy.local|3128"},
        {"", "1", "1 100 100001 0", ""},             {"", "11", "1 000 000001 0", ""},
        {"", "12", "1 110 100001 0", ""},            {"", "i", "1 001 011111 0", ""},
        {"", "ii", "1 000 000001 0", ""},            {"", "1i1", "1 001 011111 0", ""},
        {"", "V", "0 000 000001 0", ""},             {"", "T", "1 000 000001 0", ""},
        {"", "1A", "1 100 100000 0", "1|1|0|0||"},   {"", "iA1", "1 101 111111 0", "1|0|0|1||"},
        {"", "121TA", "1 010 000000 0", "1|0|1|0||8"},  // a disabled CK2 keeps its mark
        {"", "O", "1 000 000000 1", ""},             {"", "TO", "1 000 000000 1", "1|0|0|0||8"},
        {"", "TC", "1 000 000001 1", ""},
        // clang-format on
    };
    for (const auto& row : rows) {
        Run(row.stored, row.events);
        EXPECT_EQ(State(), row.state) << row.stored << " then " << row.events;
        EXPECT_EQ(Written(), row.written) << row.stored << " then " << row.events;
    }
}

// Opening shows the captions of the stored language; Apply writes first and
// then switches both windows and paints the new title.
TEST_F(OptionsFormTest, CaptionsOfBothLanguagesFollowApply) {
    // The ten captions, one a line in the order applied, then the title.
    const auto shown = [this] {
        std::string texts;
        for (C control :
             {C::Lb1, C::Ck1, C::Ck2, C::Cm1, C::Cm2, C::Cm3, C::Fr1, C::Cki, C::Lb2, C::Lb3}) {
            texts += view.texts[control] + "\n";
        }
        return texts + view.title;
    };
    Run("1", "");
    EXPECT_EQ(shown(), Cp1252("Ng¤n ngö / &Language:\nGet online IMEI data from the Intern&et\n"
                              "Add &missing IMEI data to the local database\nOK\nCancel\n&Apply\n"
                              "Internet connection\nConnect to the Internet using a proxy server\n"
                              "Address:\nPort:\nOptions"));
    EXPECT_EQ(view.entries, (std::vector<std::string>{Cp1252("TiÕng ViÖt"), "English"}));
    Run("1", "VA");
    EXPECT_EQ(shown(),
              Cp1252("&Language / Ng¤n ngö:\nLÊy th¤ng tin trøc tuyÕn cïa IMEI tô Intern&et\n"
                     "Th£&m IMEI cßn thiÕu vªo c¥ sê dö liÖu cïa ch§¥ng trØnh\n˜âng\nThoÀt\n"
                     "˜ä&ng ü\nKÕt nçi Internet\nKÕt nçi th¤ng qua proxy\n˜Üa chÙ:\nCång:\n"
                     "Tuù chãn"));
    EXPECT_EQ(view.redrawnTitles, std::vector<std::string>{view.title});
    EXPECT_EQ(mainCaptions, (std::vector<std::string>{"0"}));
}

}  // namespace
}  // namespace quorvel
