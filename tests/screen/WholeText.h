#pragma once
// Whether a box shows its whole text: the room a text box or a drop-down list leaves for its text, measured as
// Qt paints it (the style's contents rectangle, less the text and contents margins and the line edit's own 2 px
// a side), set against the width its font gives the text. Used by the window suites and by the checks on a real
// screen.
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>

namespace korvel::ui::test {

// The width a text box has for its text.
inline int textRoomOf(const QLineEdit& box)
{
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.rect = box.rect();
    option.lineWidth = box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents = box.style()->subElementRect(QStyle::SE_LineEditContents, &option, &box);
    const QMargins margins = box.textMargins() + box.contentsMargins();
    constexpr int kLineEditMargin = 2; // each side, within the contents (QLineEdit's horizontal margin)
    return contents.width() - margins.left() - margins.right() - 2 * kLineEditMargin;
}

// The width a drop-down list has for its current text.
inline int textRoomOf(const QComboBox& list)
{
    QStyleOptionComboBox option;
    option.initFrom(&list);
    option.editable = list.isEditable();
    option.frame = list.hasFrame();
    option.currentText = list.currentText();
    option.subControls = QStyle::SC_All;
    return list.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &list).width();
}

// "" when the control shows its whole text (or is neither a text box nor a list that cannot be typed into, whose
// text its own line edit shows); else what it lacks: "txtHarvestBase shows 20 of the 34 px of \"28.58\"".
inline QString cutText(const QWidget& control)
{
    QString text;
    int room = 0;
    if (const auto* box = qobject_cast<const QLineEdit*>(&control)) {
        text = box->displayText();
        room = textRoomOf(*box);
    } else if (const auto* list = qobject_cast<const QComboBox*>(&control); list && !list->isEditable()) {
        text = list->currentText();
        room = textRoomOf(*list);
    } else {
        return {};
    }
    // The cursor after the last character takes one pixel more.
    const int needed = text.isEmpty() ? 0 : control.fontMetrics().horizontalAdvance(text) + 1;
    if (needed <= room)
        return {};
    // The line edit of a list that can be typed into goes by the list's name.
    QString name = control.objectName();
    if (name.isEmpty() && qobject_cast<const QComboBox*>(control.parentWidget()))
        name = control.parentWidget()->objectName();
    if (name.isEmpty())
        name = QStringLiteral("(unnamed)");
    return QStringLiteral("%1 shows %2 of the %3 px of \"%4\"").arg(name).arg(room).arg(needed).arg(text);
}

} // namespace korvel::ui::test
