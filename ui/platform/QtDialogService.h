#pragma once
// The dialog service the program runs with: Qt's message boxes, file dialogs and print dialog.
#include <QMessageBox>

#include "ui/platform/DialogService.h"

namespace korvel::ui {

class QtDialogService : public DialogService {
public:
    MsgAnswer message(QWidget* parent, const MessageRequest& request) override;
    std::optional<QString> openFile(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> saveFile(QWidget* parent, const FileRequest& request) override;
    std::optional<int> printDialog(QWidget* parent, int copies) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;

    // The pieces of a message box, kept apart so they can be checked without showing a box.
    static QMessageBox::Icon qtIcon(MsgIcon icon);
    static QMessageBox::StandardButtons qtButtons(MsgButtons buttons);
    // The answer for the button the user pressed; a box closed without a button (Escape, close box)
    // answers Cancel when it offers Cancel, No for Yes/No, Ok for OK.
    static MsgAnswer answerFor(MsgButtons buttons, int pressed);
    // Fills a box with the request's text, title (the default title when empty), icon and buttons.
    static void configure(QMessageBox& box, const MessageRequest& request);
    // A filter in Qt's form. Accepts Qt's own ("Text (*.txt);;All (*)") and the pipe form
    // ("Microsoft Excel (*.xls) | *.xls", "Text|*.txt|All|*.*").
    static QString qtFilter(const QString& filter);
    // The folder a file dialog starts in: the given one when it exists, else the user's home folder.
    static QString startFolder(const QString& folder);
};

} // namespace korvel::ui
