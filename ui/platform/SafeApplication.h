#pragma once
// The program's application object: a failure that escapes an event handler is reported in a message box
// and the program goes on, instead of ending it.
#include <QApplication>
#include <functional>

namespace korvel::ui {

// Runs one delivery of an event; an exception that escapes it is reported through the dialog service
// ("The last action could not be completed: ...", title "Error", critical icon) and counts as not handled.
bool deliverGuarded(const std::function<bool()>& deliver);

class SafeApplication : public QApplication {
public:
    SafeApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace korvel::ui
