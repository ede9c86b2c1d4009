#include "ui/platform/ButtonKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

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

// Esc on a window, or on a control of it that leaves Esc alone, closes the window as its close button does.
class EscapeCloses : public QObject {
public:
    explicit EscapeCloses(QWidget* window) : QObject(window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != window_ || event->type() != QEvent::KeyPress)
            return false;
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (key.key() != Qt::Key_Escape || (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        window_->close();
        return true;
    }

private:
    QWidget* window_;
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
    // Push buttons and picture (tool) buttons; check boxes and option buttons keep Enter for the window.
    QAbstractButton* button = qobject_cast<QPushButton*>(watched);
    if (!button)
        button = qobject_cast<QToolButton*>(watched);
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

void closeOnEscape(QWidget* window)
{
    if (window)
        window->installEventFilter(new EscapeCloses(window));
}

} // namespace korvel::ui
