#pragma once
// Reading and writing the texts of the cost panes' boxes, and blanking the "0" texts of a window.
#include <QString>

#include "model/Variant.h"

class QWidget;

namespace korvel::ui::BoxTexts {

// A box read as a number: its leading number, 0 when there is none, with well-formed digit grouping taken as
// part of the number ("1,500.00" reads 1500, "12abc" 12, "abc" 0, "1,2" 1). A number too large for a double
// reads 0.
double value(const QString& text);

// The plain decimal text of a value ("0.44", "32000"); empty for a value without a finite text.
QString plain(double x);
// A value with grouped thousands and two decimals, or more when the value has more ("1,234.50", "0.00", "0.214");
// empty for a value without a finite text.
QString money(double x);
// A harvest or forage value: empty when unset, plain or money when it holds a number, the text itself when it
// holds a text that is no number.
QString plain(const Variant& v);
QString money(const Variant& v);

// "$" followed by the value with two decimals and grouped thousands and the unit suffix ("$12.00 / ac"), or the
// not-yet-computed text "$------- / ac" when the value has no finite text.
QString subtotal(double x, const QString& suffix);
inline const QString kNoSubtotal = QStringLiteral("$------- / ac");

// Empties every text of the window whose text is exactly "0": line edits, editable combo boxes and the current
// cell of a table, on any pane, shown or not. The boxes of the crop rows are left alone, and so are texts that
// cannot be set (lists without free text, tables whose model takes no text). Setting a text runs its change
// handlers.
void blankZeroTexts(QWidget* window);

} // namespace korvel::ui::BoxTexts
