#include "ui/platform/WholeTextBox.h"

#include <QEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <utility>

namespace korvel::ui {

namespace {

constexpr int kLineEditMargin = 2; // each side, within the box's contents (as QLineEdit paints)

// Follows the box's text, and its font and style (which change what the same text needs).
class TextWidthFollower : public QObject {
public:
    TextWidthFollower(QLineEdit* box, QString designed)
        : QObject(box), box_(box), designed_(std::move(designed)), designedMaximum_(box->maximumWidth())
    {
        box->installEventFilter(this);
        connect(box, &QLineEdit::textChanged, this, &TextWidthFollower::follow);
        follow();
    }

    void follow()
    {
        const int least = std::max(widthForText(*box_, box_->displayText()), widthForText(*box_, designed_));
        const int greatest = std::max(designedMaximum_, least);
        // Each bound resizes a box that no layout places only within the other: a box that grows takes its
        // greater greatest width first, one that shrinks its smaller least width.
        if (least > box_->minimumWidth()) {
            box_->setMaximumWidth(greatest);
            box_->setMinimumWidth(least);
        } else {
            box_->setMinimumWidth(least);
            box_->setMaximumWidth(greatest);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == box_ && (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange ||
                                event->type() == QEvent::Polish))
            follow();
        return false;
    }

private:
    QLineEdit* box_;
    QString designed_;
    int designedMaximum_;
};

} // namespace

int widthForText(const QLineEdit& box, const QString& text)
{
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.lineWidth = box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QMargins margins = box.textMargins() + box.contentsMargins();
    // The text and the cursor after it, within the margins.
    const int inner =
        box.fontMetrics().horizontalAdvance(text) + 1 + 2 * kLineEditMargin + margins.left() + margins.right();
    const QSize outer =
        box.style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(inner, box.fontMetrics().height()), &box);
    // The frame on both sides, at the least what the style's contents rectangle leaves out.
    option.rect = QRect(0, 0, outer.width(), outer.height());
    const int frame = outer.width() - box.style()->subElementRect(QStyle::SE_LineEditContents, &option, &box).width();
    return std::max(outer.width(), inner + frame);
}

void keepTextWhole(QLineEdit* box, const QString& designed)
{
    new TextWidthFollower(box, designed);
}

} // namespace korvel::ui
