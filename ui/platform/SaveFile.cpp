#include "ui/platform/SaveFile.h"

#include <QFile>
#include <string_view>

#include "model/ReplaceFile.h"

namespace korvel::ui {

bool saveFile(const QString& path, const QByteArray& bytes, QString* reason)
{
    try {
        korvel::replaceFile(QFile::encodeName(path).toStdString(),
                            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        return true;
    } catch (const std::exception& e) {
        if (reason)
            *reason = QString::fromLocal8Bit(e.what());
        return false;
    }
}

} // namespace korvel::ui
