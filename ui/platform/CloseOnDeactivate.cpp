#include "ui/platform/CloseOnDeactivate.h"

#include <QApplication>
#include <QEvent>
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

// A box or dialog of `window` on the screen, if any: a window of its own among the window's children.
QWidget* shownBoxOf(const QWidget& window)
{
    for (QWidget* child : window.findChildren<QWidget*>())
        if (child->isWindow() && child->isVisible())
            return child;
    return nullptr;
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
    closeSoon();
}

void CloseOnDeactivate::closeSoon()
{
    // Queued: the window is never closed inside the handler that is telling of the change. The call is dropped
    // with this object, which the window owns.
    QMetaObject::invokeMethod(this, &CloseOnDeactivate::closeUnlessABoxShows, Qt::QueuedConnection);
}

void CloseOnDeactivate::closeUnlessABoxShows()
{
    if (!window_)
        return;
    if (QWidget* box = shownBoxOf(*window_)) {
        // Closing now would delete the window, and the box with it, under the box's own event loop.
        if (awaitedBox_ != box) {
            if (awaitedBox_)
                awaitedBox_->removeEventFilter(this);
            awaitedBox_ = box;
            box->installEventFilter(this);
        }
        return;
    }
    window_->close();
}

bool CloseOnDeactivate::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == awaitedBox_ && event->type() == QEvent::Hide) {
        awaitedBox_->removeEventFilter(this);
        awaitedBox_ = nullptr;
        closeSoon();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace korvel::ui
