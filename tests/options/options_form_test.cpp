#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "options/options_captions.h"
#include "options/options_form.h"
#include "support/cp1252.h"
#include "support/fake_options_view.h"
#include "support/fake_settings.h"

namespace quorvel {
namespace {

using C = OptionsControl;
using test::Cp1252;

class OptionsFormTest : public ::testing::Test {
protected:
    OptionsFormTest() { Reset(); }
    void Reset() {  // a new dialog over an empty settings file
        settings = {};
        view = {};
        view.onTextChanged = [this] { form.OnProxyTextChanged(); };
        mainCaptions.clear();
    }

    // "1" or "0" for each control: checked, or enabled.
    template <typename State>
    std::string States(std::initializer_list<C> controls, State state) {
        std::string states;
        for (C control : controls) states += (view.*state)(control) ? '1' : '0';
        return states;
    }
    std::string Checks() {
        return States({C::Ck1, C::Ck2, C::Cki}, &test::FakeOptionsView::IsChecked);
    }
    // CK2, the proxy fields LB2, TX1, LB3, TX2, and Apply.
    std::string Enabled() {
        return States({C::Ck2, C::Lb2, C::Tx1, C::Lb3, C::Tx2, C::Cm3},
                      &test::FakeOptionsView::IsEnabled);
    }
    void Click(C box) {  // the box toggles, then raises its event
        view.checked[box] = !view.checked[box];
        if (box == C::Ck1) form.OnGetOnlineClicked();
        if (box == C::Ck2) form.OnAddMissingClicked();
        if (box == C::Cki) form.OnUseProxyClicked();
    }

    test::FakeSettings settings;
    test::FakeOptionsView view;
    std::vector<std::string> mainCaptions;  // LanguageID each time the main window's are applied
    OptionsForm form{
        view, settings,
        [this] { mainCaptions.push_back(settings.ReadSetting(kSettingsSection, kLanguageIdKey)); }};
};

TEST_F(OptionsFormTest, OpensFromTheSettingsWithNothingPending) {
    struct Row {
        const char* stored[6];  // LanguageID, GetOnlineIMEI, AddMissingIMEI, ProxyUsed,
                                // ProxyAddress, ProxyPort; null: missing
        int entry;
        const char* checks;   // CK1 CK2 CKi
        const char* enabled;  // CK2 LB2 TX1 LB3 TX2 CM3
    };
    const Row rows[] = {
        {{}, 1, "000", "000000"},
        {{"0", "1", "1", "0", "", ""}, 0, "110", "100000"},
        {{"1", "0", "1", "1", "proxy.local", "3128"}, 1, "011", "011110"},
        {{"00", "2", "yes", " 1 ", "x", "abc"}, 1, "001", "011110"},
    };
    const char* const keys[] = {kLanguageIdKey, kGetOnlineImeiKey, kAddMissingImeiKey,
                                kProxyUsedKey,  kProxyAddressKey,  kProxyPortKey};
    for (const Row& row : rows) {
        Reset();
        for (int k = 0; k < 6; ++k) {
            if (row.stored[k]) settings.Set(keys[k], row.stored[k]);
        }
        form.Open();
        const std::string address = row.stored[4] ? row.stored[4] : "";
        EXPECT_EQ(view.selected, row.entry) << address;
        EXPECT_EQ(Checks(), row.checks) << address;
        EXPECT_EQ(Enabled(), row.enabled) << address;
        EXPECT_EQ(view.Text(C::Tx1), address);
        EXPECT_EQ(view.Text(C::Tx2), row.stored[5] ? row.stored[5] : "");
        EXPECT_TRUE(settings.writes.empty());
    }
}

TEST_F(OptionsFormTest, CaptionsTitleAndLanguageEntriesInBothLanguages) {
    const C controls[] = {C::Lb1, C::Ck1, C::Ck2, C::Cm1, C::Cm2,
                          C::Cm3, C::Fr1, C::Cki, C::Lb2, C::Lb3};
    const char* const vietnamese[] = {"&Language / Ng¤n ngö:",
                                      "LÊy th¤ng tin trøc tuyÕn cïa IMEI tô Intern&et",
                                      "Th£&m IMEI cßn thiÕu vªo c¥ sê dö liÖu cïa ch§¥ng trØnh",
                                      "˜âng",
                                      "ThoÀt",
                                      "˜ä&ng ü",
                                      "KÕt nçi Internet",
                                      "KÕt nçi th¤ng qua proxy",
                                      "˜Üa chÙ:",
                                      "Cång:",
                                      "Tuù chãn"};
    const char* const english[] = {"Ng¤n ngö / &Language:",
                                   "Get online IMEI data from the Intern&et",
                                   "Add &missing IMEI data to the local database",
                                   "OK",
                                   "Cancel",
                                   "&Apply",
                                   "Internet connection",
                                   "Connect to the Internet using a proxy server",
                                   "Address:",
                                   "Port:",
                                   "Options"};
    for (const char* stored : {"0", "1"}) {
        Reset();
        settings.Set(kLanguageIdKey, stored);
        form.Open();
        const char* const* expected = stored[0] == '0' ? vietnamese : english;
        for (int i = 0; i < 10; ++i) EXPECT_EQ(view.texts[controls[i]], Cp1252(expected[i])) << i;
        EXPECT_EQ(OptionsTitle(), Cp1252(expected[10]));
        EXPECT_EQ(view.entries, (std::vector<std::string>{Cp1252("TiÕng ViÖt"), "English"}));
    }
}

// From a dialog opened without settings: CK1 (1), CK2 (2), CKi (i) clicked,
// a language chosen (L), a proxy text changed (T), Apply (A).
TEST_F(OptionsFormTest, EditsEnableTheDependentControlsAndApply) {
    const std::pair<const char*, const char*> rows[] = {
        {"1", "100001"},  {"11", "000001"},  {"12", "100001"},   {"i", "011111"},
        {"ii", "000001"}, {"1i1", "011111"}, {"L", "000001"},    {"T", "000001"},
        {"1A", "100000"}, {"iA1", "111111"}, {"i1Ai", "100001"},
    };
    for (const auto& [events, enabled] : rows) {
        Reset();
        form.Open();
        for (const char* e = events; *e; ++e) {
            if (*e == '1') Click(C::Ck1);
            if (*e == '2') Click(C::Ck2);
            if (*e == 'i') Click(C::Cki);
            if (*e == 'L') form.OnLanguageChosen();
            if (*e == 'T') view.SetText(C::Tx2, "8");
            if (*e == 'A') form.Apply();
        }
        EXPECT_EQ(Enabled(), enabled) << events;
    }
}

// A disabled CK2 keeps its mark and is written; the captions of both windows
// follow the language just written, and the title is painted again.
TEST_F(OptionsFormTest, ApplyWritesAllSixThenSwitchesBothWindows) {
    form.Open();
    view.selected = 0;
    form.OnLanguageChosen();
    Click(C::Ck1);
    Click(C::Ck2);
    Click(C::Ck1);
    view.SetText(C::Tx1, " proxy x ");
    view.SetText(C::Tx2, "80 80");
    form.Apply();
    EXPECT_EQ(settings.writes,
              (std::vector<std::string>{kLanguageIdKey, kGetOnlineImeiKey, kAddMissingImeiKey,
                                        kProxyUsedKey, kProxyAddressKey, kProxyPortKey}));
    std::vector<std::string> written;
    for (const std::string& key : settings.writes)
        written.push_back(settings.values[{kSettingsSection, key}]);
    EXPECT_EQ(written, (std::vector<std::string>{"0", "0", "1", "0", " proxy x ", "80 80"}));
    EXPECT_EQ(view.texts[C::Cm3], Cp1252("˜ä&ng ü"));
    EXPECT_EQ(mainCaptions, std::vector<std::string>{"0"});
    EXPECT_EQ(view.redrawnTitles, std::vector<std::string>{Cp1252("Tuù chãn")});
    EXPECT_EQ(view.closes, 0);
}

TEST_F(OptionsFormTest, OkAppliesOnlyPendingChangesAndCancelNeverWrites) {
    const struct {
        bool edit, ok;
        std::size_t writes;
    } rows[] = {{false, true, 0}, {true, true, 6}, {false, false, 0}, {true, false, 0}};
    for (const auto& row : rows) {
        Reset();
        form.Open();
        if (row.edit) form.OnLanguageChosen();
        row.ok ? form.Ok() : form.Cancel();
        EXPECT_EQ(settings.writes.size(), row.writes) << row.edit << row.ok;
        EXPECT_EQ(mainCaptions.size(), row.writes / 6) << row.edit << row.ok;
        EXPECT_EQ(view.closes, 1);
    }
}

}  // namespace
}  // namespace quorvel
