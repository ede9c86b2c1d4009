#pragma once
// Every modal box and common dialog of the program goes through this one interface. The program installs
// the Qt implementation; tests install a scripted double that records each box and returns chosen answers.
#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;
class QWidget;

namespace korvel::ui {

enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgIcon { None, Exclamation, Question, Information, Critical };
enum class MsgAnswer { Ok, Yes, No, Cancel };

// One message box as the program asks for it. An empty title shows the program's default title.
struct MessageRequest {
    QString text;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    QString title;
};

// An open or save dialog: title, the folder it starts in, a filter such as "Comma separated (*.csv)".
struct FileRequest {
    QString title;
    QString startFolder;
    QString filter;
    QString defaultName;
};

class DialogService {
public:
    virtual ~DialogService() = default;
    virtual MsgAnswer message(QWidget* parent, const MessageRequest& request) = 0;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> openFile(QWidget* parent, const FileRequest& request) = 0;
    virtual std::optional<QString> saveFile(QWidget* parent, const FileRequest& request) = 0;
    // The print dialog: the number of copies chosen, or nothing when cancelled.
    virtual std::optional<int> printDialog(QWidget* parent, int copies) = 0;
    // The print dialog on a printer the caller will print to: true when the user chose to print (the
    // printer then holds the choices, the copies among them), false when cancelled. By default this is
    // printDialog with the printer's copy count.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer);

    // The service in force (the Qt one unless a test installed another). Never null.
    static DialogService& instance();
    // Installs a service (not owned); nullptr restores the Qt one.
    static void install(DialogService* service);
};

// The program's default title for boxes without a title of their own.
inline const QString kDefaultMessageTitle = QStringLiteral("Korvel");

// Shorthand for the common case.
inline MsgAnswer showMessage(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                             const QString& title = QString())
{
    return DialogService::instance().message(parent, MessageRequest{text, buttons, icon, title});
}

} // namespace korvel::ui
