// The main window as the analysis workflow sees it: the IMEI box, the result
// box, message boxes, the busy switch and the start of the on-line look-up.
#pragma once

#include <string>

namespace quorvel {

class MainView {
public:
    virtual ~MainView() = default;
    virtual std::string ImeiText() = 0;                       // TX1
    virtual void SetImeiText(const std::string& text) = 0;    // TX1
    virtual std::string ResultText() = 0;                     // TX2
    virtual void SetResultText(const std::string& text) = 0;  // TX2
    // A message box with the given style and title (no icon of the
    // caller's); returns the code of the button pressed.
    virtual int ShowMessage(const std::string& prompt, int style, const std::string& title) = 0;
    virtual void EnableCommands(bool enable) = 0;
    // Starts the on-line look-up for the 15-digit IMEI; from then on the
    // look-up owns the busy state and ends it.
    virtual void StartOnlineLookup(const std::string& imei) = 0;
};

}  // namespace quorvel
