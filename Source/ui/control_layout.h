// Where a window's controls sit and what kind of control each is: the one
// table a window creates its controls from, and that the caption fit check
// reads with the display font's widths.
#pragma once

namespace quorvel {

enum class ControlKind {
    Label,          // left-aligned text, wrapped at words when it is too long
    TextBox,        // single-line edit box with a sunken edge
    ResultBox,      // multi-line read-only edit box with a vertical scroll bar
    Button,         // push button
    DefaultButton,  // push button pressed by Enter
    CheckBox,       // automatic check box, its text after the box
    Frame,          // group box, its text in the top edge
    DropDownList,   // combo box that offers a choice only
    Picture,        // bitmap
};

struct ControlPlace {
    int id;
    ControlKind kind;
    int left, top, width, height;
    bool insideFrame;  // position relative to the window's frame control
};

}  // namespace quorvel
