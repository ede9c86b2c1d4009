#pragma once
// The keyboard on buttons: Enter (either key) presses the push button that has the focus, as Space does, in
// every window of the program and not only in dialogs. A button without the focus is never pressed by Enter,
// and Enter in a text box stays the box's own.
//
//     installButtonKeys();   // once, by the program
class QKeyEvent;
class QObject;

namespace korvel::ui {

// Lets Enter press the focused push button everywhere. Idempotent.
void installButtonKeys();

// True when the key event is an Enter that presses watched (a focused, enabled push button); the button has then
// been clicked.
bool pressFocusedButton(QObject* watched, const QKeyEvent& event);

} // namespace korvel::ui
