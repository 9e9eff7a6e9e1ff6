// ShowMessage, the program's only way to show a message box: the system's
// box, re-dressed by a thread-local CBT hook before it is first painted.
#pragma once

#include <windows.h>

#include <string>

namespace quorvel {

// Shows a system message box of the given style (MB_* flags, unchanged) and
// returns its result (1 OK, 6 Yes, 7 No, ...), or 0 when no box could be
// shown. The prompt is laid out by ReformatPrompt; the system gets an empty
// title and title is drawn into the caption bar instead. The text and the
// OK, Yes and No buttons get the display font, those buttons Vietnamese
// captions, whatever the interface language, and the text and the box are
// sized for that font; without the display font installed the box keeps the
// system's captions and font. A non-null icon replaces the system icon of a
// style that has one; a style without an icon shows none.
// The box is owned by owner, which it keeps disabled while it is open,
// whichever window is active (another program's included).
int ShowMessage(HWND owner, const std::string& prompt, int style, const std::string& title,
                HICON icon);

// The CBT hook that ShowMessage installs for the current thread: it always
// passes the event on and returns what the next hook returned. When the
// message box activates it re-dresses it, subclasses it with
// DialogWindowProc and removes itself.
LRESULT CALLBACK MessageBoxHookProc(int code, WPARAM wParam, LPARAM lParam);

}  // namespace quorvel
