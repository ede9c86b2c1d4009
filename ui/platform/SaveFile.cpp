#include "ui/platform/SaveFile.h"

#include <QDir>
#include <QFile>
#include <string_view>

#include "ui/platform/DialogService.h"

namespace korvel::ui {

bool saveFile(const QString& path, const QByteArray& bytes, QString* reason, korvel::Leftovers leftovers)
{
    try {
        korvel::replaceFile(QFile::encodeName(path).toStdString(),
                            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), leftovers);
        return true;
    } catch (const std::exception& e) {
        if (reason)
            *reason = QString::fromLocal8Bit(e.what());
        return false;
    }
}

QString saveErrorText(const QString& path, const QString& reason)
{
    QString why = reason.trimmed();
    if (why.isEmpty())
        why = QStringLiteral("the reason is not known");
    why[0] = why[0].toUpper();
    if (!why.endsWith(QLatin1Char('.')))
        why += QLatin1Char('.');
    if (path.isEmpty())
        return QStringLiteral("Error saving file.\n") + why;
    return QStringLiteral("Error saving file \"") + QDir::toNativeSeparators(path) + QStringLiteral("\".\n") + why;
}

void showSaveError(QWidget* parent, const QString& path, const QString& reason)
{
    showMessage(parent, saveErrorText(path, reason), MsgButtons::Ok, MsgIcon::Exclamation,
                QStringLiteral("File Error"));
}

} // namespace korvel::ui
