// Test entry of the window suites: one QApplication for every test, headless unless told otherwise. The
// application is named as the program is, and the user's data folder (XDG_DATA_HOME) is a temporary folder
// of this run, so no test writes into the user's real folder.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>

#include "ui/platform/ButtonKeys.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir userData;
    if (!userData.isValid()) {
        std::fputs("no temporary folder for the user's data\n", stderr);
        return 1;
    }
    qputenv("XDG_DATA_HOME", userData.path().toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvel"));
    // Enter presses the focused button, as in the program.
    korvel::ui::installButtonKeys();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
