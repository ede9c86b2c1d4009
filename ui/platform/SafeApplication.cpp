#include "ui/platform/SafeApplication.h"

#include <exception>

#include "ui/platform/DialogService.h"

namespace korvel::ui {

bool deliverGuarded(const std::function<bool()>& deliver)
{
    QString what;
    try {
        return deliver();
    } catch (const std::exception& e) {
        what = QString::fromUtf8(e.what());
    } catch (...) {
        what = QStringLiteral("an unknown failure");
    }
    showMessage(nullptr, QStringLiteral("The last action could not be completed: ") + what, MsgButtons::Ok,
                MsgIcon::Critical, QStringLiteral("Error"));
    return false;
}

bool SafeApplication::notify(QObject* receiver, QEvent* event)
{
    return deliverGuarded([&] { return QApplication::notify(receiver, event); });
}

} // namespace korvel::ui
