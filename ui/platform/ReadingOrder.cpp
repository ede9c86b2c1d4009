#include "ui/platform/ReadingOrder.h"

#include <QApplication>
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

bool moveFocusWithin(QWidget* container, bool next)
{
    QWidget* focused = QApplication::focusWidget();
    if (!focused || !container->isAncestorOf(focused))
        return false;
    for (QWidget* w = focused;;) {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == focused)
            return true;
        if (container->isAncestorOf(w) && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
            !w->focusProxy()) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
}

} // namespace korvel::ui
