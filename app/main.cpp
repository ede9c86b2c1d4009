// Korvel starts at the welcome window. The program folder (crop library, help, inputs file) is the
// folder of the executable.
#include <QApplication>

#include "model/SessionState.h"
#include "ui/main/WelcomeWindow.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvel"));
    korvel::SessionState session;
    auto* welcome = new korvel::ui::WelcomeWindow(QCoreApplication::applicationDirPath(), session);
    welcome->setAttribute(Qt::WA_DeleteOnClose);
    welcome->show();
    return app.exec();
}
