#pragma once
// Controls that behave as the module's code expects of its windows:
//  - a value set from code fires the same handler a user's change fires (Change, Click),
//    once per real change; setting the same value again fires nothing;
//  - an option array may have no member chosen;
//  - a masked box returns its text with the prompt character in unfilled places;
//  - a text box's typing limit limits typing only; text set by code is never cut;
//  - KeyPress hands the original key code to the handler, which may replace or drop it;
//    KeyDown hands the virtual key code and the shift state;
//  - GotFocus/LostFocus run only for focus moves inside the window, never because a
//    message box, a dialog or a popup took the activation;
//  - a box in no-paste mode refuses paste by every path;
//  - an arrow key in an option array chooses the option it moves to;
//  - a tab strip tells the user's page changes from the code's.
//
// Handlers are public std::function members (onChange, onClick, onKeyPress, ...); an empty
// one does nothing. A handler must not reassign itself while it runs. Handlers run
// synchronously, so writing another control from a handler runs that control's handler at
// once (depth first), as the original did.
//
// Codes, as the original's:
//  KeyPress keyAscii: 8 Backspace, 13 Enter, 27 Escape, 1-26 Ctrl+A..Ctrl+Z (22 Ctrl+V, 3 Ctrl+C),
//    otherwise the Windows-1252 code of the typed character (63 '?' when it has none).
//    Return the code to let the key through, another code to act as that key instead
//    (a character, 8, 13, 3, 22, 24 or 26), or 0 to drop it.
//  KeyDown keyCode: virtual key codes (8, 9, 13, 27, 32, 33-40, 45 Insert, 46 Delete,
//    48-57, 65-90, 93 context-menu key, 96-111 keypad, 112-135 F1-F24, 186-222 punctuation);
//    return keyCode to go on, 0 to cancel the key's own action (Delete, arrows, Shift+Insert...).
//    A key that also types a character still reaches KeyPress, as in the original.
//  shift: bits 1 Shift, 2 Ctrl, 4 Alt.   button: 1 left, 2 right, 4 middle.
//  Colours: &HBBGGRR integers (0xC0C0C0 light grey, 0xFFFFFF white, 0xFFFF00 cyan).
//
// Use the capitalised members (SetText, SetMaxLength, SetListIndex, SetValue); the Qt
// setters that would bypass these rules are hidden where they matter (setText, setMaxLength).
//
// One header per control; this one brings them all.
#include "platform/ui/CheckBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/ControlHelpers.h"
#include "platform/ui/EditBase.h"
#include "platform/ui/Label.h"
#include "platform/ui/MaskedBox.h"
#include "platform/ui/OptionArray.h"
#include "platform/ui/TabStrip.h"
#include "platform/ui/TextBox.h"
