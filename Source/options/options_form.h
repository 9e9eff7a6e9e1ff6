// The options dialog F2 as the core sees it: what opening it selects from the
// settings, which controls its check boxes enable, and what Apply writes. The
// dialog window only forwards its events here and does what the view asks.
#pragma once

#include <functional>
#include <string>

#include "settings/settings_store.h"

namespace quorvel {

// The controls of F2 in tab order; the values are their dialog item ids.
// OK and Cancel carry the system's IDOK and IDCANCEL, so that Enter and
// Escape reach them.
enum class OptionsControl : int {
    Cm1 = 1,    // OK (IDOK)
    Cm2 = 2,    // Cancel (IDCANCEL)
    Lb1 = 201,  // label of the language list
    Cb1,        // language list
    Ck1,        // GetOnlineIMEI
    Ck2,        // AddMissingIMEI
    Fr1,        // frame around the proxy settings
    Cki,        // ProxyUsed
    Lb2,        // label of the proxy address
    Tx1,        // ProxyAddress
    Lb3,        // label of the proxy port
    Tx2,        // ProxyPort
    Cm3,        // Apply
};

// Positions in the language list; a position is the LanguageID it stands for.
inline constexpr int kVietnameseEntryPosition = 0;
inline constexpr int kEnglishEntryPosition = 1;

// The six settings as the dialog shows and writes them.
struct OptionsValues {
    int languageEntry = kEnglishEntryPosition;
    bool getOnline = false;    // CK1
    bool addMissing = false;   // CK2
    bool proxyUsed = false;    // CKi
    std::string proxyAddress;  // TX1
    std::string proxyPort;     // TX2
};

// What the dialog opens with. The language entry is the language the captions
// show (exactly "0" Vietnamese, anything else English), so the list never
// contradicts them. A check box is ticked by its setting's row of
// kSettingRules: the proxy's as the look-up reads it (any numeric value but
// 0), the other two only when the integer value is 1.
OptionsValues ReadOptionsValues(SettingsStore& settings);

// Writes all six keys, changed or not, in the order LanguageID,
// GetOnlineIMEI, AddMissingIMEI, ProxyUsed, ProxyAddress, ProxyPort; check
// boxes as "0" or "1", the texts unchanged.
void WriteOptionsValues(SettingsStore& settings, const OptionsValues& values);

// The dialog window as the form drives it.
class OptionsView {
public:
    virtual ~OptionsView() = default;
    virtual void AddLanguageEntry(const std::string& entry) = 0;
    // The selected entry's position; -1 when none is selected.
    virtual int SelectedLanguageEntry() = 0;
    virtual void SelectLanguageEntry(int position) = 0;
    // The caption of a label, check box, frame or button, or a text box's text.
    virtual std::string Text(OptionsControl control) = 0;
    virtual void SetText(OptionsControl control, const std::string& text) = 0;
    virtual bool IsChecked(OptionsControl control) = 0;
    virtual void SetChecked(OptionsControl control, bool checked) = 0;
    virtual bool IsEnabled(OptionsControl control) = 0;
    virtual void Enable(OptionsControl control, bool enable) = 0;
    // The title the dialog draws into its caption bar (OptionsTitle).
    virtual void SetTitle(const std::string& title) = 0;
    // Paints the title bar again as active, with the title last set.
    virtual void RedrawTitle() = 0;
    virtual void Close() = 0;
};

// The dialog's behaviour. The enabled state of Apply (CM3) is its only record
// of pending changes: any edit enables it, opening and Apply disable it.
class OptionsForm {
public:
    // applyMainCaptions re-applies the main window's captions after Apply.
    OptionsForm(OptionsView& view, SettingsStore& settings,
                std::function<void()> applyMainCaptions);

    // The opening steps after the display font is set: the language entries,
    // the captions, the controls from the settings, the enable rules, and
    // Apply disabled last, since setting the controls may have enabled it.
    void Open();

    // The events of the dialog's controls.
    void OnLanguageChosen();
    void OnGetOnlineClicked();
    void OnAddMissingClicked();
    void OnUseProxyClicked();
    void OnProxyTextChanged();
    void Apply();
    // Applies pending changes, then closes.
    void Ok();
    void Cancel();

private:
    void ShowValues(const OptionsValues& values);
    OptionsValues ShownValues();
    void EnableDependentControls();
    void MarkPending();

    OptionsView& view_;
    SettingsStore& settings_;
    std::function<void()> applyMainCaptions_;
};

}  // namespace quorvel
