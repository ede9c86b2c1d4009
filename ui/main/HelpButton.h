#pragma once
// The small "?" help buttons of the main window's panes: element index of the array "cmdHelp", 240 by
// 240 twips, grey; a click runs the main window's cmdHelp_Click(index).
class QPushButton;
class QWidget;

namespace korvel::ui {

class MainWindow;

QPushButton* makeHelpButton(MainWindow& main, int index, QWidget* parent);

} // namespace korvel::ui
