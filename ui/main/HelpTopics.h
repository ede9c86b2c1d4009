#pragma once
// The program's help: topics of the help pages, the small pop-up help window, and opening an exported file
// with the application the desktop has for it.
//
//     HelpTopics::ShowHelp("mainInput.htm#TotalAcres");      // the help browser on that page and anchor
//     HelpTopics::ShowHelpScreen(text, "Custom Crops", 3000); // frmHelp, 3000 twips high
//     HelpTopics::OpenFile(path);                             // desktop open, message when it fails
#include <QString>

class QWidget;

namespace korvel::ui {
class HelpBrowser;
class HelpScreen;
} // namespace korvel::ui

namespace korvel::ui::HelpTopics {

// The shipped data folder: the help pages are its "help" folder. Unless set, the data folder of the running
// program (shippedDataFolder of the executable's folder; never the working folder). Tests point it at the
// source tree's data folder.
void setDataFolder(const QString& folder);
QString dataFolder();
QString helpFolder();

// Opens the help browser (one window, reused) at the topic "HTML/" + topic; the part after "#" is an anchor
// within the page. Returns the browser.
HelpBrowser* ShowHelp(const QString& topic);

// Shows the pop-up help window frmHelp with the text, the caption "Help - " + title and a window height of
// formHeight twips, beside the widget beside (the "?" button that asked for it) when one is given, else
// centred. Returns the window.
HelpScreen* ShowHelpScreen(const QString& text, const QString& title, int formHeight, const QWidget* beside = nullptr);

// Asks the desktop to open the file; when it cannot, tells the user to open it by hand.
void OpenFile(const QString& path, QWidget* parent = nullptr);

// The help browser and the pop-up help window once loaded (nullptr before their first use). Closing one
// hides it; the next call shows the same window again, so check isVisible() to know whether it is open.
HelpBrowser* helpBrowser();
HelpScreen* helpScreen();
// Closes the pop-up help window when it is open (the Exit menu unloads it).
void unloadHelpScreen();
// Closes the help browser when it is open.
void closeHelpBrowser();

} // namespace korvel::ui::HelpTopics
