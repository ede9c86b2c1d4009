#pragma once
// Asks the desktop to open a file with the application registered for it.
#include <QString>
#include <functional>

namespace korvel::ui {

// True when the desktop accepted the request. A file that does not exist is never handed on.
bool ShellOpen(const QString& path);

// What ShellOpen uses to reach the desktop once the file is found; tests put a recorder in its place.
// An empty function restores the desktop's own.
using ShellOpener = std::function<bool(const QString& path)>;
void setShellOpener(ShellOpener opener);

} // namespace korvel::ui
