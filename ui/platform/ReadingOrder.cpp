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

namespace {

const char* const kFirstFocusProperty = "korvelFirstFocus";

bool takesFocusWithin(const QWidget* container, const QWidget* w)
{
    return container->isAncestorOf(w) && w->isVisibleTo(container) && w->isEnabled() &&
           (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy();
}

} // namespace

void markFirstFocus(QWidget* control)
{
    if (control)
        control->setProperty(kFirstFocusProperty, true);
}

QWidget* firstFocusable(QWidget* container)
{
    if (!container)
        return nullptr;
    for (QWidget* w : container->findChildren<QWidget*>())
        if (w->property(kFirstFocusProperty).toBool() && takesFocusWithin(container, w))
            return w;
    // The focus chain runs through the whole window; the container's own controls follow it in reading order.
    for (QWidget* w = container->nextInFocusChain(); w && w != container; w = w->nextInFocusChain())
        if (takesFocusWithin(container, w))
            return w;
    return nullptr;
}

} // namespace korvel::ui
