#pragma once
// Text boxes that are never narrower than their text.
//
// A layout short of room squeezes a text box down to a character or two, and a box of that width shows the end
// of its value only ("8.58" for 28.58). keepTextWhole gives the box a least width that holds its whole text,
// followed on every change of the text, typed or set by code, and never below what its designed content needs;
// a layout then gives up room elsewhere, and a ReflowColumns moves a column below the others.
//
//     keepTextWhole(txtHarvestBase, QStringLiteral("000.00"));
#include <QString>

class QLineEdit;

namespace korvel::ui {

// The width the box needs to show `text` whole: the text, the cursor after it, the box's own margins and its
// frame as its style draws it.
int widthForText(const QLineEdit& box, const QString& text);

// From now on the box's least width holds its text, and at least `designed`. Its greatest width, where one is set,
// grows with it (and returns to the one set when the text is short again).
void keepTextWhole(QLineEdit* box, const QString& designed = QString());

} // namespace korvel::ui
