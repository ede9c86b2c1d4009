#pragma once
// A dialog service for window tests: records every box and dialog the code under test asks for and answers
// from scripted queues, without showing anything.
//
//     korvel::ui::test::ScriptedDialogs dialogs;          // installed until it goes out of scope
//     dialogs.answers = {MsgAnswer::No};                 // the next box answers No
//     dialogs.files = {QString("/tmp/out.csv")};        // the next file dialog picks this path
//     ... drive the window ...
//     ASSERT_EQ(dialogs.messages.size(), 1u);
//     EXPECT_EQ(dialogs.lastText(), "Please enter a valid number");
//     EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Critical);
//
// Answers when a queue is empty: a box with an OK button answers Ok, a Yes/No or Yes/No/Cancel box answers
// `yesNoDefault` (Yes unless the test sets it); a file dialog is cancelled; a print dialog accepts with the
// copies it was offered. A scripted answer that the box does not offer (Cancel for Yes/No, Yes for OK) is a
// fault in the test and fails it.
#include <deque>
#include <optional>
#include <utility>
#include <vector>

#include <QPrinter>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include "ui/QtPrinting.h"
#include "ui/platform/DialogService.h"

namespace korvel::ui::test {

class ScriptedDialogService : public DialogService {
public:
    enum class FileKind { Open, Save };
    struct FileCall {
        FileKind kind;
        FileRequest request;
    };

    // What was asked, in order.
    std::vector<MessageRequest> messages;
    std::vector<FileCall> fileCalls;
    std::vector<int> printCalls; // the copies each print dialog was offered

    // What to answer, front first. An empty optional in `files` or `prints` cancels that dialog.
    std::deque<MsgAnswer> answers;
    std::deque<std::optional<QString>> files;
    std::deque<std::optional<int>> prints;
    MsgAnswer yesNoDefault = MsgAnswer::Yes;

    MsgAnswer message(QWidget*, const MessageRequest& request) override
    {
        messages.push_back(request);
        if (answers.empty())
            return request.buttons == MsgButtons::Ok ? MsgAnswer::Ok : yesNoDefault;
        const MsgAnswer answer = answers.front();
        answers.pop_front();
        if (!offers(request.buttons, answer))
            ADD_FAILURE() << "scripted answer not offered by the box \"" << request.text.toStdString() << "\"";
        return answer;
    }

    std::optional<QString> openFile(QWidget*, const FileRequest& request) override
    {
        fileCalls.push_back({FileKind::Open, request});
        return nextFile();
    }

    std::optional<QString> saveFile(QWidget*, const FileRequest& request) override
    {
        fileCalls.push_back({FileKind::Save, request});
        return nextFile();
    }

    std::optional<int> printDialog(QWidget*, int copies) override
    {
        printCalls.push_back(copies);
        if (prints.empty())
            return copies;
        const std::optional<int> answer = prints.front();
        prints.pop_front();
        return answer;
    }

    // Never shows Qt's print dialog: answers like printDialog and sets the printer's copies.
    bool choosePrinter(QWidget* parent, QPrinter& printer) override
    {
        const std::optional<int> copies = printDialog(parent, printer.copyCount());
        if (!copies)
            return false;
        printer.setCopyCount(*copies);
        return true;
    }

    // The texts of every box so far, in order.
    QStringList texts() const
    {
        QStringList out;
        for (const MessageRequest& m : messages)
            out << m.text;
        return out;
    }
    QString lastText() const { return messages.empty() ? QString() : messages.back().text; }
    // Forgets what was recorded (the scripted answers stay).
    void clearRecord()
    {
        messages.clear();
        fileCalls.clear();
        printCalls.clear();
    }

private:
    static bool offers(MsgButtons buttons, MsgAnswer answer)
    {
        switch (buttons) {
        case MsgButtons::Ok: return answer == MsgAnswer::Ok;
        case MsgButtons::YesNo: return answer == MsgAnswer::Yes || answer == MsgAnswer::No;
        case MsgButtons::YesNoCancel: return answer != MsgAnswer::Ok;
        }
        return false;
    }

    std::optional<QString> nextFile()
    {
        if (files.empty())
            return std::nullopt;
        // The path itself is moved out: moving the whole optional makes GCC 12 warn of a maybe-uninitialized QString.
        if (!files.front()) {
            files.pop_front();
            return std::nullopt;
        }
        QString answer = std::move(*files.front());
        files.pop_front();
        return answer;
    }
};

// Installs a service for the guard's lifetime, then puts back the one that was in force before.
class DialogServiceGuard {
public:
    explicit DialogServiceGuard(DialogService& service) : previous_(&DialogService::instance())
    {
        DialogService::install(&service);
    }
    ~DialogServiceGuard() { DialogService::install(previous_); }
    DialogServiceGuard(const DialogServiceGuard&) = delete;
    DialogServiceGuard& operator=(const DialogServiceGuard&) = delete;

private:
    DialogService* previous_;
};

// The usual case: a scripted service installed for as long as this object lives.
class ScriptedDialogs : public ScriptedDialogService {
public:
    ScriptedDialogs() : guard_(*this) {}

private:
    DialogServiceGuard guard_;
};

} // namespace korvel::ui::test
