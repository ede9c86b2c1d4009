#include "ui/results/PrintHook.h"

#include "ui/platform/DialogService.h"

namespace korvel::ui {

namespace {
void notAvailable(QWidget* parent)
{
    showMessage(parent, QStringLiteral("Printing is not yet available in this version of Korvel."), MsgButtons::Ok,
                MsgIcon::Information, QStringLiteral("Print"));
}
} // namespace

void printResultsReport(QWidget* parent)
{
    notAvailable(parent);
}

void printDetailsReport(QWidget* parent)
{
    notAvailable(parent);
}

} // namespace korvel::ui
