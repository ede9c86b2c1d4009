#pragma once
// The small "?" help buttons of the main window's panes: element index of the array "cmdHelp", 240 by
// 240 twips, grey, objectName "cmdHelp(<index>)" and the property "index"; a click runs the main window's
// helpButtonClicked(index), which opens what HelpButtons.h tables for the element.
class QPushButton;
class QString;
class QWidget;

namespace korvel::ui {

class PaneHost;

QPushButton* makeHelpButton(PaneHost& main, int index, QWidget* parent);

// The same small grey "?" button named name, connected to nothing (the result views' help buttons).
QPushButton* plainHelpButton(const QString& name, QWidget* parent);

// The help button of element index among pane's controls, null when it has none.
QWidget* findHelpButton(const QWidget& pane, int index);

} // namespace korvel::ui
