#pragma once
// The Options window frmOptions: edits the irrigation iteration factor (SplitFactor), the number of equal
// water steps a run divides the water into. It closes on Apply with a valid value, on Cancel, and as soon
// as another window of the program becomes active.
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvel {
struct SessionState;
}

namespace korvel::ui {

class OptionsWindow : public QWidget {
    Q_OBJECT
public:
    // Loads the window with the factor in force in `session`.
    explicit OptionsWindow(SessionState& session, QWidget* parent = nullptr);

    // Opens a freshly loaded Options window (modeless, centred on the screen); an open one closes first.
    static OptionsWindow* showOptions(SessionState& session, QWidget* parent = nullptr);
    // Closes the open Options window, if any (the Exit menu unloads it).
    static void unload();

    void applyFactor();
    void cancel();
    void showFactorHelp();

private:
    SessionState& session_;
    QLineEdit* txtFineFactor_ = nullptr;
};

} // namespace korvel::ui
