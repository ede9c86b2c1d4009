#include "ui/platform/CloseOnDeactivate.h"

#include <QApplication>
#include <QMetaObject>
#include <QWidget>
#include <QWindow>

namespace korvel::ui {

namespace {
bool standsApart(QWindow* w)
{
    const QVariant mark = w->property(kStandsApartProperty);
    if (mark.isValid() && mark.toBool())
        return true;
    // Widget windows carry the mark on the widget.
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->windowHandle() == w)
            return top->property(kStandsApartProperty).toBool();
    }
    return false;
}
} // namespace

CloseOnDeactivate::CloseOnDeactivate(QWidget* window) : QObject(window), window_(window)
{
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &CloseOnDeactivate::focusChanged);
}

void CloseOnDeactivate::focusChanged(QWindow* focus)
{
    if (!window_ || !window_->isVisible() || !focus)
        return;
    QWindow* own = window_->windowHandle();
    if (!own)
        return;
    if (focus == own) {
        wasActive_ = true;
        return;
    }
    // The window's own boxes and dialogs are transient children of it.
    for (QWindow* p = focus->transientParent(); p; p = p->transientParent()) {
        if (p == own)
            return;
    }
    if (!wasActive_ || standsApart(focus))
        return;
    wasActive_ = false;
    QPointer<QWidget> target = window_;
    QMetaObject::invokeMethod(
        this,
        [target] {
            if (target)
                target->close();
        },
        Qt::QueuedConnection);
}

} // namespace korvel::ui
