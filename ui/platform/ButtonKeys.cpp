#include "ui/platform/ButtonKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace korvel::ui {

namespace {

bool isEnter(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) && modifiers == Qt::NoModifier &&
           !event.isAutoRepeat();
}

class EnterPressesButton : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        return event->type() == QEvent::KeyPress && pressFocusedButton(watched, *static_cast<QKeyEvent*>(event));
    }
};

bool& installed()
{
    static bool done = false;
    return done;
}

} // namespace

bool pressFocusedButton(QObject* watched, const QKeyEvent& event)
{
    if (!isEnter(event))
        return false;
    auto* button = qobject_cast<QPushButton*>(watched);
    if (!button || !button->hasFocus() || !button->isEnabled() || !button->isVisible())
        return false;
    button->click();
    return true;
}

void installButtonKeys()
{
    if (installed() || !qApp)
        return;
    installed() = true;
    qApp->installEventFilter(new EnterPressesButton(qApp));
}

} // namespace korvel::ui
