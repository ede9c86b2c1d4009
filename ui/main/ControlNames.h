#pragma once
// Control names. A control that stands alone has its own name as objectName ("txtArea", "Command1").
// An element of a control array has the array's name followed by its index in parentheses:
// "Option1(3)", "cmdHelp(25)", "lblTitle(0)", "pneBatchSetup(1)", "cmdCancel(2)". Find one with
// findChild<T*>(arrayName("Option1", 3)) or findChild<T*>("Option1(3)").
#include <QString>

namespace korvel::ui {

inline QString arrayName(const QString& base, int index)
{
    return QStringLiteral("%1(%2)").arg(base).arg(index);
}

// The array's name of an element ("pneBatchSetup(1)" -> "pneBatchSetup"); a lone control's own name.
inline QString controlBaseName(const QString& objectName)
{
    const auto open = objectName.indexOf(QLatin1Char('('));
    return open < 0 ? objectName : objectName.left(open);
}

// The index of an array element, -1 for a lone control.
inline int controlIndex(const QString& objectName)
{
    const auto open = objectName.indexOf(QLatin1Char('('));
    if (open < 0 || !objectName.endsWith(QLatin1Char(')')))
        return -1;
    bool ok = false;
    const int i = objectName.mid(open + 1, objectName.size() - open - 2).toInt(&ok);
    return ok ? i : -1;
}

} // namespace korvel::ui
