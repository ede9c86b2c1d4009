#pragma once
// Saving a file the user or the program chose: the whole contents are written to a temporary file beside it,
// synced, closed and renamed over it, every step checked (korvel::replaceFile). A failed save leaves the
// previous file as it was and no temporary file behind.
#include <QByteArray>
#include <QString>

namespace korvel::ui {

// True when path now holds exactly bytes. On failure returns false and, when reason is given, sets it to what
// went wrong (the step and the system's reason), for the caller's message.
bool saveFile(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

} // namespace korvel::ui
