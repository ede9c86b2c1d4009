#pragma once
// The small "?" help buttons of the main window's panes: element index of the array "cmdHelp", 240 by
// 240 twips, grey, objectName "cmdHelp(<index>)" and the property "index"; a click runs the main window's
// helpButtonClicked(index), which opens what HelpButtons.h tables for the element.
class QPushButton;
class QWidget;

namespace korvel::ui {

class MainWindow;

QPushButton* makeHelpButton(MainWindow& main, int index, QWidget* parent);

} // namespace korvel::ui
