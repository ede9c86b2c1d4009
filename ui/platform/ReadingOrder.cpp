#include "ui/platform/ReadingOrder.h"

#include <QWidget>

namespace korvel::ui {

void setReadingOrder(const QList<QWidget*>& controls)
{
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (!control)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

} // namespace korvel::ui
