#include "ui/platform/Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace korvel::ui {

namespace {
ShellOpener& opener()
{
    static ShellOpener current;
    return current;
}
} // namespace

void setShellOpener(ShellOpener replacement)
{
    opener() = std::move(replacement);
}

bool ShellOpen(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (opener())
        return opener()(absolute);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(absolute));
}

} // namespace korvel::ui
