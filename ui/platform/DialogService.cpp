#include "ui/platform/DialogService.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>

#include "ui/platform/QtDialogService.h"

namespace korvel::ui {

namespace {
DialogService* g_installed = nullptr;

QtDialogService& qtService()
{
    static QtDialogService service;
    return service;
}
} // namespace

DialogService& DialogService::instance()
{
    return g_installed ? *g_installed : qtService();
}

void DialogService::install(DialogService* service)
{
    g_installed = service;
}

bool DialogService::choosePrinter(QWidget* parent, QPrinter& printer)
{
    const std::optional<int> copies = printDialog(parent, printer.copyCount());
    if (!copies)
        return false;
    printer.setCopyCount(*copies);
    return true;
}

QMessageBox::Icon QtDialogService::qtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons QtDialogService::qtButtons(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::Ok: break;
    }
    return QMessageBox::Ok;
}

MsgAnswer QtDialogService::answerFor(MsgButtons buttons, int pressed)
{
    switch (buttons) {
    case MsgButtons::Ok: return MsgAnswer::Ok;
    case MsgButtons::YesNo: return pressed == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
    case MsgButtons::YesNoCancel:
        if (pressed == QMessageBox::Yes)
            return MsgAnswer::Yes;
        if (pressed == QMessageBox::No)
            return MsgAnswer::No;
        return MsgAnswer::Cancel;
    }
    return MsgAnswer::Cancel;
}

void QtDialogService::configure(QMessageBox& box, const MessageRequest& request)
{
    box.setWindowTitle(request.title.isEmpty() ? kDefaultMessageTitle : request.title);
    box.setText(request.text);
    box.setTextFormat(Qt::PlainText);
    box.setIcon(qtIcon(request.icon));
    box.setStandardButtons(qtButtons(request.buttons));
    switch (request.buttons) {
    case MsgButtons::Ok:
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case MsgButtons::YesNo:
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
}

MsgAnswer QtDialogService::message(QWidget* parent, const MessageRequest& request)
{
    QMessageBox box(parent);
    configure(box, request);
    const int pressed = box.exec();
    return answerFor(request.buttons, pressed);
}

QString QtDialogService::qtFilter(const QString& filter)
{
    QString trimmed = filter.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(QStringLiteral(";;")) || !trimmed.contains(QLatin1Char('|')))
        return trimmed;
    const QStringList parts = trimmed.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns =
            i + 1 < parts.size() ? parts[i + 1].trimmed().replace(QLatin1Char(';'), QLatin1Char(' ')) : QString();
        if (patterns.isEmpty()) {
            if (!description.isEmpty())
                entries << description;
            continue;
        }
        const QString suffix = QStringLiteral("(") + patterns + QStringLiteral(")");
        if (description.endsWith(suffix))
            entries << description;
        else if (description.isEmpty())
            entries << patterns + QStringLiteral(" ") + suffix;
        else
            entries << description + QStringLiteral(" ") + suffix;
    }
    return entries.join(QStringLiteral(";;"));
}

QString QtDialogService::startFolder(const QString& folder)
{
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    return QDir::homePath();
}

std::optional<QString> QtDialogService::openFile(QWidget* parent, const FileRequest& request)
{
    QString dir = startFolder(request.startFolder);
    if (!request.defaultName.isEmpty())
        dir = QDir(dir).filePath(request.defaultName);
    const QString path = QFileDialog::getOpenFileName(parent, request.title, dir, qtFilter(request.filter));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtDialogService::saveFile(QWidget* parent, const FileRequest& request)
{
    QString dir = startFolder(request.startFolder);
    if (!request.defaultName.isEmpty())
        dir = QDir(dir).filePath(request.defaultName);
    // No extension is added to the name the user types: the name is used as given.
    const QString path = QFileDialog::getSaveFileName(parent, request.title, dir, qtFilter(request.filter));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<int> QtDialogService::printDialog(QWidget* parent, int copies)
{
    QPrinter printer;
    printer.setCopyCount(copies < 1 ? 1 : copies);
    if (!choosePrinter(parent, printer))
        return std::nullopt;
    return printer.copyCount();
}

bool QtDialogService::choosePrinter(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace korvel::ui
