#pragma once
// The keyboard order of a window's controls.
#include <QList>

class QWidget;

namespace korvel::ui {

// Makes Tab visit the controls in the order given (Shift+Tab the other way), each pane listing its controls in
// reading order: top to bottom and left to right, the controls of a group box (or of one column of a form laid
// out in columns) together, in reading order within it. Controls that are hidden or disabled stay in their
// places and are passed over by Tab until they are shown or enabled. Null entries are skipped; the controls
// must share one window.
void setReadingOrder(const QList<QWidget*>& controls);

// Tab (next) or Shift+Tab (not next) within container only, going round at its ends: the focus moves from the
// focused control to the following (preceding) shown, enabled control of container that takes Tab. False, with
// nothing moved, while the focus is outside container.
bool moveFocusWithin(QWidget* container, bool next);

// Names the control a pane's keyboard starts at when the pane is shown, in place of its first control in reading
// order (a Back button before a Print button that reads first).
void markFirstFocus(QWidget* control);

// The control the focus goes to when container is shown: its control marked by markFirstFocus when that one can
// take the focus, else its first control in Tab order that can: not hidden within container, enabled, taking
// Tab and no stand-in for another. Null when container has none. Works before the window is first shown.
QWidget* firstFocusable(QWidget* container);

} // namespace korvel::ui
