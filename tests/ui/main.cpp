// Test entry of the window suites: one QApplication for every test, headless unless told otherwise.
#include <QApplication>
#include <gtest/gtest.h>

#include "ui/platform/ButtonKeys.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Enter presses the focused button, as in the program.
    korvel::ui::installButtonKeys();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
