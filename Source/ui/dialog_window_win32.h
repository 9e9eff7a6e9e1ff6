// DialogWindowProc, the subclass of the system dialogs that the program
// re-dresses (message boxes and the Vietnamese Save As dialog): it draws the
// dialog's title into the caption bar with the display font, and it owns the
// display font of the dialog's relabelled controls until the dialog is gone.
#pragma once

#include <windows.h>

#include <string>

namespace quorvel {

// DialogTitle: the title that the next dressed dialog draws into its caption
// bar. It keeps its value until it is set again.
void SetDialogTitle(const std::string& title);
const std::string& DialogTitle();

// Subclasses dialog with DialogWindowProc and keeps its previous window
// procedure. The dialog draws the DialogTitle of this moment for as long as it
// lives, so a dialog opened over it (a message box over the Save As dialog)
// changes neither its title nor its procedure. False when the window cannot be
// subclassed.
bool DressDialog(HWND dialog);

// The display font (weight 500) for the relabelled controls of a dressed
// dialog: created on first use and deleted when the dialog is destroyed,
// after its controls. Null when the dialog is not dressed.
HFONT DialogFont(HWND dialog);

// The first direct child of parent of the class (in any case) whose caption
// is exactly caption; null when there is none.
HWND FindChildWithCaption(HWND parent, const char* className, const char* caption);

// Gives a control a new caption and a font, and has it redrawn.
void RelabelControl(HWND control, const char* caption, HFONT font);

// Calls the dialog's previous procedure first and returns its result. After
// it: WM_NCPAINT and WM_NCACTIVATE draw the title, bold, in the active or
// inactive caption-text colour, as the system drew the bar (CaptionState);
// WM_CTLCOLORBTN relabels a button still captioned "&Save"; WM_NCDESTROY
// releases what the dialog held.
LRESULT CALLBACK DialogWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quorvel
