#pragma once
// The first window of the program: two ways to start the main window, help and About.
// Controls: "Image1", "lblDisclaimer(0..2)", "Command1" ("Start the Korvel"), "Command4" ("Start the Korvel
// with Trend Processing"), "cmdHelp(25)" ("Learn more"), "Command2" ("Korvel Help"), "Command3" ("About Korvel").
#include <QPointer>
#include <QWidget>

#include "model/SessionState.h"
#include "ui/main/UpperPanes.h"
#include "ui/platform/ProgramFolders.h"

namespace korvel::ui {

class MainWindow;

class WelcomeWindow : public QWidget {
    Q_OBJECT
public:
    // upper: the panes of the layers above the main window, for the main window the start buttons open.
    WelcomeWindow(ProgramFolders folders, korvel::SessionState& session, UpperPanes upper = {},
                  QWidget* parent = nullptr);

    // The main window once a start button has opened it (it deletes itself when closed).
    MainWindow* mainWindow() const;

    void startKorvel();
    void startWithTrendProcessing();
    void learnAboutTrends();
    void showHelpContents();
    void showAbout();

private:
    MainWindow* createMain();

    ProgramFolders folders_;
    korvel::SessionState& session_;
    UpperPanes upper_;
    QPointer<MainWindow> main_;
};

} // namespace korvel::ui
