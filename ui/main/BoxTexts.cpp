#include "ui/main/BoxTexts.h"

#include <QAbstractItemModel>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QWidget>
#include <string>

#include "model/Errors.h"
#include "model/Numbers.h"
#include "ui/main/CropRow.h"

namespace korvel::ui::BoxTexts {

namespace {

// Inside a crop row, a combo box (its own line edit and list), a spin box or a table (an open cell editor).
bool belongsToAnotherControl(const QWidget* w)
{
    for (const QObject* p = w->parent(); p; p = p->parent()) {
        if (qobject_cast<const CropRow*>(p) || qobject_cast<const QComboBox*>(p) ||
            qobject_cast<const QAbstractSpinBox*>(p) || qobject_cast<const QAbstractItemView*>(p))
            return true;
    }
    return false;
}

} // namespace

double value(const QString& text)
{
    return num::groupedLeadingNumber(text.toStdString());
}

QString plain(double x)
{
    try {
        return QString::fromStdString(num::plainText(x));
    } catch (const KorvelError&) {
        return QString();
    }
}

QString money(double x)
{
    try {
        QString text = QString::fromStdString(num::formatPattern(x, "###,##0.00"));
        // A rate with more decimals than cents (0.214 a bushel, 0.003 a pound) keeps them, so that the box
        // commits back the value it was opened with.
        const QString exact = QString::fromStdString(num::plainText(x));
        const auto point = exact.indexOf(QLatin1Char('.'));
        if (point < 0 || exact.contains(QLatin1Char('E')) || exact.size() - point - 1 <= 2)
            return text;
        const bool negative = exact.startsWith(QLatin1Char('-'));
        QString whole = exact.mid(negative ? 1 : 0, point - (negative ? 1 : 0));
        for (auto i = whole.size() - 3; i > 0; i -= 3)
            whole.insert(i, QLatin1Char(','));
        return (negative ? QStringLiteral("-") : QString()) + whole + exact.mid(point);
    } catch (const KorvelError&) {
        return QString();
    }
}

QString plain(const Variant& v)
{
    return QString::fromStdString(v.toString());
}

QString money(const Variant& v)
{
    if (v.isEmpty())
        return QString();
    try {
        return money(v.number());
    } catch (const KorvelError&) {
        return QString::fromStdString(v.toString()); // a text that is no number is shown as it is
    }
}

QString subtotal(double x, const QString& suffix)
{
    try {
        return QStringLiteral("$") + QString::fromStdString(num::formatPattern(x, "###,##0.00")) + suffix;
    } catch (const KorvelError&) {
        return kNoSubtotal;
    }
}

void blankZeroTexts(QWidget* window)
{
    if (!window)
        return;
    const QString zero = QStringLiteral("0");
    for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
        if (!belongsToAnotherControl(box) && box->text() == zero)
            box->setText(QString());
    }
    for (QComboBox* list : window->findChildren<QComboBox*>()) {
        if (!belongsToAnotherControl(list) && list->isEditable() && list->currentText() == zero)
            list->setEditText(QString());
    }
    for (QTableView* grid : window->findChildren<QTableView*>()) {
        if (belongsToAnotherControl(grid) || !grid->model())
            continue;
        const QModelIndex cell = grid->currentIndex();
        if (cell.isValid() && cell.data(Qt::DisplayRole).toString() == zero)
            grid->model()->setData(cell, QString(), Qt::EditRole);
    }
}

} // namespace korvel::ui::BoxTexts
