#pragma once
// The keyboard on buttons and small windows: Enter (either key) presses the push or picture button that has the
// focus, as Space does, in every window of the program and not only in dialogs. A button without the focus is
// never pressed by Enter, and Enter in a text box stays the box's own. Esc closes a small window that asks for it.
//
//     installButtonKeys();   // once, by the program
//     closeOnEscape(this);   // in the constructor of a small window
class QKeyEvent;
class QObject;
class QWidget;

namespace korvel::ui {

// Lets Enter press the focused push button everywhere. Idempotent.
void installButtonKeys();

// True when the key event is an Enter that presses watched (a focused, enabled push or tool button); the button
// has then been clicked.
bool pressFocusedButton(QObject* watched, const QKeyEvent& event);

// Esc (without Shift, Ctrl or Alt) closes window, as its close button does, unless the focused control takes
// Esc for itself (an open list's drop-down).
void closeOnEscape(QWidget* window);

} // namespace korvel::ui
