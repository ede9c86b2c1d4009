#pragma once
// Closes a window as soon as another window of the program becomes active, as the small secondary
// windows (options, pop-up help, About) do. Switching to another application closes nothing, nor do the
// window's own boxes and dialogs, nor windows marked as standing apart (the help browser). While a box or dialog
// that the window opened is showing, the close waits until it has gone: the box runs its own event loop inside
// one of the window's handlers, and the window must outlive both.
#include <QObject>
#include <QPointer>

class QWidget;
class QWindow;

namespace korvel::ui {

// Mark for windows that never close others by becoming active: setProperty(kStandsApartProperty, true).
inline constexpr const char* kStandsApartProperty = "korvelStandsApart";

class CloseOnDeactivate : public QObject {
    Q_OBJECT
public:
    // Watches `window` (a top-level widget) for its lifetime.
    explicit CloseOnDeactivate(QWidget* window);

    // What the window does when `focus` becomes the program's active window (nullptr: another application).
    void focusChanged(QWindow* focus);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Closes the window from the event loop, once none of its boxes is showing.
    void closeSoon();
    void closeUnlessABoxShows();

    QPointer<QWidget> window_;
    QPointer<QWidget> awaitedBox_; // the window's box whose end the close waits for
    bool wasActive_ = false;
};

} // namespace korvel::ui
