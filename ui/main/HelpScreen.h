#pragma once
// The pop-up help window frmHelp: a fixed text with an OK button, shown through HelpTopics::ShowHelpScreen.
// It closes on OK and as soon as another window of the program becomes active.
#include <QWidget>

class QLabel;
class QPushButton;

namespace korvel::ui {

class HelpScreen : public QWidget {
    Q_OBJECT
public:
    explicit HelpScreen(QWidget* parent = nullptr);

    // Fills the window: the text, the caption "Help - " + title, the window height in twips and the OK
    // button 1000 twips above the window's bottom edge.
    void showText(const QString& text, const QString& title, int formHeight);

    // The layout as asked for, in twips.
    int formHeightTwips() const { return formHeight_; }
    int okTopTwips() const { return formHeight_ - 1000; }

    QLabel* lblOutput() const { return lblOutput_; }
    QPushButton* okButton() const { return okButton_; } // "Command1"

private:
    void layOut();

    QLabel* lblOutput_ = nullptr;
    QPushButton* okButton_ = nullptr;
    int formHeight_ = 0;
};

} // namespace korvel::ui
