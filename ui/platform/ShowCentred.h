#pragma once
// Shows a small window centred on the screen, in front and active.
class QWidget;

namespace korvel::ui {

void showCentred(QWidget* window);

} // namespace korvel::ui
