#pragma once
// Saving a file the user or the program chose: the whole contents are written to a temporary file beside it,
// synced, closed and renamed over it, every step checked (korvel::replaceFile). A failed save leaves the
// previous file as it was and no temporary file behind.
#include <QByteArray>
#include <QString>

#include "model/ReplaceFile.h"

class QWidget;

namespace korvel::ui {

// True when path now holds exactly bytes. On failure returns false and, when reason is given, sets it to what
// went wrong (the step and the system's reason), for the caller's message. Beside the file the save removes
// the leftovers of its earlier saves that leftovers names: the program's own only, unless the file lies in the
// user's Korvel folder.
bool saveFile(const QString& path, const QByteArray& bytes, QString* reason = nullptr,
              korvel::Leftovers leftovers = korvel::Leftovers::OursOnly);

// The message of a save that failed: "Error saving file", the file, then the reason on a line of its own
// ("Error saving file \"/x/Beta.txt\".\nThe file cannot be created: Permission denied."); without a file,
// "Error saving file." and the reason.
QString saveErrorText(const QString& path, const QString& reason);
// Shows saveErrorText with an OK button, the exclamation icon and the title "File Error", as the program's other
// file errors.
void showSaveError(QWidget* parent, const QString& path, const QString& reason);

} // namespace korvel::ui
