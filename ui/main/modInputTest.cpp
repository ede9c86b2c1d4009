#include "ui/main/modInputTest.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>
#include <QSignalBlocker>
#include <QWidget>

#include "model/Numbers.h"
#include "ui/platform/DialogService.h"

namespace korvel::ui {

namespace {

class LostFocusFilter : public QObject {
public:
    LostFocusFilter(QWidget* box, std::function<void()> handler) : QObject(box), handler_(std::move(handler)) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::FocusOut || busy_)
            return false;
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
        // Let the box finish its own focus change first, then run the check with the focus already moved.
        busy_ = true;
        QPointer<QObject> guard(watched);
        watched->event(event);
        if (guard)
            handler_();
        busy_ = false;
        return true;
    }

private:
    std::function<void()> handler_;
    bool busy_ = false;
};

} // namespace

QString limitText(double limit)
{
    QString text = QString::fromStdString(num::plainText(limit));
    QString sign;
    if (text.startsWith(QLatin1Char('-'))) {
        sign = QStringLiteral("-");
        text.remove(0, 1);
    }
    if (text.contains(QLatin1Char('E')))
        return sign + text;
    const auto point = text.indexOf(QLatin1Char('.'));
    QString whole = point < 0 ? text : text.left(point);
    const QString fraction = point < 0 ? QString() : text.mid(point);
    for (auto i = whole.size() - 3; i > 0; i -= 3)
        whole.insert(i, QLatin1Char(','));
    return sign + whole + fraction;
}

void ShowInputError(const QString& message, QLineEdit* box)
{
    QPointer<QLineEdit> guard(box);
    showMessage(box ? box->window() : nullptr, message, MsgButtons::Ok, MsgIcon::Exclamation,
                QStringLiteral("Input error"));
    if (!guard)
        return;
    if (box->isUndoAvailable()) {
        box->undo();
        // Setting the same text again forgets the undo history; the change handler has run with the undo.
        const QSignalBlocker quiet(box);
        box->setText(box->text());
    }
    if (box->isVisible() && box->isEnabled())
        box->setFocus(Qt::OtherFocusReason);
}

void TestInput(QLineEdit* box, double limit, const QString& label)
{
    if (!box)
        return;
    const QString text = box->text();
    if (text.isEmpty() || text == QLatin1String("-") || text == QLatin1String("."))
        return;
    const auto value = num::parseNumeric(text.toStdString());
    if (!value) {
        ShowInputError(label + QStringLiteral(":  Please enter a numeric value!"), box);
        return;
    }
    if (*value >= 0 && *value <= limit)
        return;
    if (*value < 0)
        ShowInputError(label + QStringLiteral(":  Please enter a value that's greater than 0"), box);
    else
        ShowInputError(label + QStringLiteral(":  Please enter a value that's less than or equal to ") +
                           limitText(limit),
                       box);
}

void onLostFocus(QWidget* box, std::function<void()> handler)
{
    box->installEventFilter(new LostFocusFilter(box, std::move(handler)));
}

} // namespace korvel::ui
