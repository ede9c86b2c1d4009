#pragma once
// The About window frmAbout: version, contacts and disclaimer. It closes when clicked and as soon as
// another window of the program becomes active.
#include <QWidget>

class QLabel;

namespace korvel::ui {

class AboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);

    // Opens the About window (modeless), a fresh one each time; any open one closes first.
    static AboutWindow* showAbout(QWidget* parent = nullptr);
    // Closes the open About window, if any.
    static void unload();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace korvel::ui
