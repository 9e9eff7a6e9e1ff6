// The dressing of the dialogs the program re-dresses (the options dialog,
// message boxes and the Vietnamese Save As dialog): DialogWindowProc, a
// subclass of the dialog, draws the dialog's title into its caption bar with
// the display font, and the dressing owns the display font of the dialog's
// relabelled controls. A dressing lives exactly as long as its dialog and is
// found from it.
#pragma once

#include <windows.h>

#include <string>

#include "shared/handles_win32.h"
#include "ui/caption_text_win32.h"

namespace quorvel {

// Where the title strip sits in the caption bar.
enum class TitleFrame {
    kSizing,  // inside the sizing-frame metrics, without indent (the options dialog)
    kDialog,  // inside the dialog-frame metrics, 2 pixels in (the system's dialogs)
};

struct DialogDress {
    std::string title;  // drawn bold into the caption bar
    TitleFrame frame = TitleFrame::kDialog;
    // The Save As dialog's: a Save button that is about to paint with its
    // system caption is relabelled.
    bool relabelsSaveButton = false;
};

class DressedDialog {
public:
    // Subclasses dialog with DialogWindowProc, dressed as dress says, and
    // returns the dressing, which the dialog owns from then on. A dialog
    // dressed already keeps the dressing it has, so a dialog opened over it
    // (a message box over the Save As dialog) changes neither its title nor
    // its procedure. Null when the window cannot be subclassed.
    static DressedDialog* Dress(HWND dialog, DialogDress dress);

    // The dressing of dialog; null when it is not dressed.
    static DressedDialog* Of(HWND dialog) { return Subclass::Find(dialog); }

    DressedDialog(const DressedDialog&) = delete;
    DressedDialog& operator=(const DressedDialog&) = delete;

    const std::string& Title() const { return dress_.title; }
    // Takes effect at the next drawing of the caption bar.
    void SetTitle(const std::string& title) { dress_.title = title; }

    // The display font (weight 500) for the dialog's relabelled controls:
    // created on first use and deleted with the dialog, after its controls.
    HFONT Font();

    // Runs step on the dialog once the system has laid it out: now when the
    // dialog is shown already, else when it is about to be shown (Wine lays a
    // message box's buttons out after it has activated it, Windows before it
    // creates it), before it is first painted.
    void WhenShown(HWND dialog, void (*step)(HWND dialog));

private:
    DressedDialog(HWND dialog, DialogDress dress);
    ~DressedDialog() = default;

    // Calls the dialog's previous procedure first and returns its result.
    // After it: WM_NCPAINT and WM_NCACTIVATE draw the title, bold, in the
    // active or inactive caption-text colour, as the system drew the bar
    // (CaptionState); WM_CTLCOLORBTN relabels a button still captioned
    // "&Save" where the dress says so; WM_SHOWWINDOW runs the step waiting
    // for it (WhenShown); WM_NCDESTROY ends the dressing.
    LRESULT DialogWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void AfterPrevious(HWND window, UINT message, WPARAM wParam);
    using Subclass = WindowSubclass<DressedDialog, &DressedDialog::DialogWindowProc>;

    DialogDress dress_;
    CaptionState caption_;
    UniqueFont font_;  // made on first use
    void (*whenShown_)(HWND dialog) = nullptr;
    // Calls running in DialogWindowProc: a message handled by the previous
    // procedure may run a nested loop in which the dialog is destroyed; the
    // dressing then goes when the outermost call is done.
    int running_ = 0;
    bool destroyed_ = false;
    Subclass subclass_{*this};
};

// The display font of a dressed dialog (DressedDialog::Font); null when the
// dialog is not dressed.
HFONT DialogFont(HWND dialog);

// The first direct child of parent of the class (in any case) whose caption
// is exactly caption; null when there is none.
HWND FindChildWithCaption(HWND parent, const char* className, const char* caption);

// Gives a control a new caption and a font, and has it redrawn.
void RelabelControl(HWND control, const char* caption, HFONT font);

}  // namespace quorvel
