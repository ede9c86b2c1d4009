#pragma once
// Puts a window above all others or back to normal.
class QWidget;

namespace korvel::ui {

// Sets or clears "stays on top" without moving or resizing the window; a shown window stays shown.
void SetOnTop(QWidget* frm, bool onTop);

} // namespace korvel::ui
