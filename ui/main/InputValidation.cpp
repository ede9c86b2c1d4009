#include "ui/main/InputValidation.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>
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

// The text a box had when the user's current edit of it began: when the box took the focus, when its leave
// check last accepted it, or when code last set its text. A rejected entry goes back to this text. (Qt's own
// undo history cannot serve: it runs on across visits, so one undo can reach back past an accepted entry.)
class EditStart : public QObject {
public:
    explicit EditStart(QLineEdit* box) : QObject(box), box_(box), text_(box->text())
    {
        box->installEventFilter(this);
        // Setting the text from code clears the box's undo history; the user's edits fill it.
        connect(box, &QLineEdit::textChanged, this, [this] {
            if (!box_->isUndoAvailable())
                text_ = box_->text();
        });
    }

    static EditStart* of(const QLineEdit* box)
    {
        if (box)
            for (QObject* child : box->children())
                if (auto* start = dynamic_cast<EditStart*>(child))
                    return start;
        return nullptr;
    }

    const QString& text() const { return text_; }
    void accepted() { text_ = box_->text(); }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            // Coming back to the window or from a popup continues the edit under way.
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                text_ = box_->text();
        }
        return false;
    }

private:
    QLineEdit* box_;
    QString text_;
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
    // A box the user has not edited since code set its text keeps that text.
    const EditStart* start = EditStart::of(box);
    if (start && box->isUndoAvailable()) {
        // Runs the box's change handler and forgets the undo history, so the rejected text cannot come back.
        box->setText(start->text());
    }
    if (box->isVisible() && box->isEnabled())
        box->setFocus(Qt::OtherFocusReason);
}

namespace {

// TestInput with the smallest value allowed: 0, or -limit for a box that takes negative values.
void testRange(QLineEdit* box, double lowest, double limit, const QString& label)
{
    if (!box)
        return;
    const QString text = box->text();
    if (text.isEmpty() || text == QLatin1String("-") || text == QLatin1String(".")) {
        if (EditStart* start = EditStart::of(box))
            start->accepted();
        return;
    }
    const auto value = num::parseNumeric(text.toStdString());
    if (!value) {
        ShowInputError(label + QStringLiteral(":  Please enter a numeric value!"), box);
        return;
    }
    if (*value >= lowest && *value <= limit) {
        if (EditStart* start = EditStart::of(box))
            start->accepted();
        return;
    }
    if (*value < lowest && lowest == 0)
        ShowInputError(label + QStringLiteral(":  Please enter a value that's greater than 0"), box);
    else if (*value < lowest)
        ShowInputError(label + QStringLiteral(":  Please enter a value that's greater than or equal to ") +
                           limitText(lowest),
                       box);
    else
        ShowInputError(aboveLimitMessage(limit, label), box);
}

} // namespace

QString aboveLimitMessage(double limit, const QString& label)
{
    return label + QStringLiteral(":  Please enter a value that's less than or equal to ") + limitText(limit);
}

void TestInput(QLineEdit* box, double limit, const QString& label)
{
    testRange(box, 0, limit, label);
}

void TestSignedInput(QLineEdit* box, double limit, const QString& label)
{
    testRange(box, -limit, limit, label);
}

void onLostFocus(QWidget* box, std::function<void()> handler)
{
    if (auto* edit = qobject_cast<QLineEdit*>(box); edit && !EditStart::of(edit))
        new EditStart(edit);
    box->installEventFilter(new LostFocusFilter(box, std::move(handler)));
}

} // namespace korvel::ui
