#include "options/options_captions.h"

#include <array>
#include <utility>

#include "options/options_texts.h"
#include "ui/captions.h"

namespace quorvel {

void ApplyOptionsCaptions(SettingsStore& settings, OptionsView& view) {
    const OptionsCaptions& captions = OptionsCaptionsFor(CurrentLanguage(settings));
    const std::array<std::pair<OptionsControl, const char*>, 10> texts = {{
        {OptionsControl::Lb1, captions.languageLabel},
        {OptionsControl::Ck1, captions.getOnlineCheck},
        {OptionsControl::Ck2, captions.addMissingCheck},
        {OptionsControl::Cm1, captions.okButton},
        {OptionsControl::Cm2, captions.cancelButton},
        {OptionsControl::Cm3, captions.applyButton},
        {OptionsControl::Fr1, captions.connectionFrame},
        {OptionsControl::Cki, captions.useProxyCheck},
        {OptionsControl::Lb2, captions.proxyAddressLabel},
        {OptionsControl::Lb3, captions.proxyPortLabel},
    }};
    for (const auto& [control, text] : texts) view.SetText(control, text);
    view.SetTitle(captions.title);
}

}  // namespace quorvel
