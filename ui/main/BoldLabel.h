#pragma once
// A bold caption, optionally larger than the pane's font: the headings of the input panes.
#include <QFont>
#include <QLabel>

namespace korvel::ui {

inline QLabel* boldLabel(const QString& text, QWidget* parent = nullptr, int pointSizeDelta = 0)
{
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + pointSizeDelta);
    label->setFont(f);
    return label;
}

} // namespace korvel::ui
