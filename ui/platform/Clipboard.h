#pragma once
// The system clipboard's text.
#include <QString>

namespace korvel::ui {

// The clipboard's text, empty when it holds none.
QString clipboardText();
void setClipboardText(const QString& text);

} // namespace korvel::ui
