#pragma once
// Small helpers the result views and the summary table share: model text to Qt text, digit patterns, and the
// "skip a failing step" rule of the views. Control-array names come from ui/main/ControlNames.h.
#include <QLabel>
#include <QString>
#include <exception>
#include <string>
#include <string_view>

#include "model/Crop.h"
#include "model/Errors.h"
#include "model/Numbers.h"
#include "ui/main/ControlNames.h"

namespace korvel::ui {

inline QString qtext(const std::string& s)
{
    return QString::fromStdString(s);
}

// x in a digit pattern ("###,##0.00"); throws NonFiniteResult when x is not finite.
inline QString pattern(double x, std::string_view digits)
{
    return qtext(num::formatPattern(x, digits));
}

// x as plain decimal text; throws NonFiniteResult when x is not finite.
inline QString plain(double x)
{
    return qtext(num::plainText(x));
}

// A field's season pumping hours ("1,152 hrs"); a field that pumps nothing reads "0 hrs".
inline QString hoursText(double hours)
{
    return (hours > 0 ? pattern(hours, "###,###") : QStringLiteral("0")) + QStringLiteral(" hrs");
}

// The crop's singular unit, empty when the crop has none.
inline QString singularUnit(const Crop& crop)
{
    return crop.cropUnitsArray.empty() ? QString() : qtext(crop.cropUnitsArray[0]);
}

// Runs one display step: the text that `make` returns goes into the label. A figure without a finite value
// (a zero acreage or efficiency as divisor) leaves the label empty rather than showing inf or nan; any other
// failure of the model skips the step, and the label keeps the text it had.
template <class Make>
void showStep(QLabel* label, Make&& make)
{
    try {
        label->setText(make());
    } catch (const NonFiniteResult&) {
        label->clear();
    } catch (const std::exception&) {
        // the step is skipped
    }
}

// The same for a step that sets no label: a failure skips it.
template <class Step>
void tryStep(Step&& step)
{
    try {
        step();
    } catch (const std::exception&) {
        // the step is skipped
    }
}

} // namespace korvel::ui
