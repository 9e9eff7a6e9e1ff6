// An in-memory options dialog for core tests. Like the real controls, a text
// box raises its change event (onTextChanged) when its text is set, and every
// control starts enabled.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "options/options_form.h"

namespace quorvel::test {

class FakeOptionsView : public OptionsView {
public:
    void AddLanguageEntry(const std::string& entry) override { entries.push_back(entry); }
    int SelectedLanguageEntry() override { return selected; }
    void SelectLanguageEntry(int position) override { selected = position; }
    std::string Text(OptionsControl control) override { return texts[control]; }
    void SetText(OptionsControl control, const std::string& text) override {
        texts[control] = text;
        if (control == OptionsControl::Tx1 || control == OptionsControl::Tx2) onTextChanged();
    }
    bool IsChecked(OptionsControl control) override { return checked[control]; }
    void SetChecked(OptionsControl control, bool check) override { checked[control] = check; }
    bool IsEnabled(OptionsControl control) override {
        return enabled.emplace(control, true).first->second;
    }
    void Enable(OptionsControl control, bool enable) override { enabled[control] = enable; }
    void SetTitle(const std::string& text) override { title = text; }
    void RedrawTitle() override { redrawnTitles.push_back(title); }
    void Close() override { ++closes; }

    std::vector<std::string> entries;
    int selected = -1;
    std::map<OptionsControl, std::string> texts;
    std::map<OptionsControl, bool> checked;
    std::map<OptionsControl, bool> enabled;
    std::string title;
    std::vector<std::string> redrawnTitles;  // the title at each redraw
    int closes = 0;
    std::function<void()> onTextChanged = [] {};
};

}  // namespace quorvel::test
