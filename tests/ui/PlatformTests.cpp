// The platform layer: the Qt dialog service's boxes, the scripted double others rely on, window order,
// shell open, the clipboard and text boxes that keep their text whole.
#include <QAbstractButton>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <gtest/gtest.h>

#include "screen/WholeText.h"
#include "ui/QtPrinting.h"

#include "ui/ScriptedDialogService.h"
#include "ui/platform/Clipboard.h"
#include "ui/platform/OnTop.h"
#include "ui/platform/QtDialogService.h"
#include "ui/platform/SafeApplication.h"
#include "ui/platform/Shell.h"
#include "ui/platform/WholeTextBox.h"

using namespace korvel::ui;

TEST(QtDialogService, ConfiguresBoxFromRequest)
{
    struct Case {
        MessageRequest request;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        QString title;
    };
    const Case cases[] = {
        {{"a", MsgButtons::Ok, MsgIcon::Exclamation, "Input error"},
         QMessageBox::Warning,
         QMessageBox::Ok,
         "Input error"},
        {{"b", MsgButtons::YesNo, MsgIcon::Question, ""},
         QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No,
         kDefaultMessageTitle},
        {{"c", MsgButtons::YesNoCancel, MsgIcon::Information, "T"},
         QMessageBox::Information,
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         "T"},
        {{"d", MsgButtons::Ok, MsgIcon::Critical, "Error"}, QMessageBox::Critical, QMessageBox::Ok, "Error"},
        {{"e", MsgButtons::Ok, MsgIcon::None, ""}, QMessageBox::NoIcon, QMessageBox::Ok, kDefaultMessageTitle},
    };
    for (const Case& c : cases) {
        QMessageBox box;
        QtDialogService::configure(box, c.request);
        EXPECT_EQ(box.text(), c.request.text);
        EXPECT_EQ(box.icon(), c.icon) << c.request.text.toStdString();
        EXPECT_EQ(box.standardButtons(), c.buttons) << c.request.text.toStdString();
        EXPECT_EQ(box.windowTitle(), c.title);
    }
}

TEST(QtDialogService, AnswersFromPressedButtonOrClosedBox)
{
    EXPECT_EQ(QtDialogService::answerFor(MsgButtons::Ok, QMessageBox::Ok), MsgAnswer::Ok);
    EXPECT_EQ(QtDialogService::answerFor(MsgButtons::YesNo, QMessageBox::Yes), MsgAnswer::Yes);
    EXPECT_EQ(QtDialogService::answerFor(MsgButtons::YesNo, QMessageBox::No), MsgAnswer::No);
    EXPECT_EQ(QtDialogService::answerFor(MsgButtons::YesNo, -1), MsgAnswer::No);
    EXPECT_EQ(QtDialogService::answerFor(MsgButtons::YesNoCancel, QMessageBox::No), MsgAnswer::No);
    EXPECT_EQ(QtDialogService::answerFor(MsgButtons::YesNoCancel, QMessageBox::Cancel), MsgAnswer::Cancel);
    EXPECT_EQ(QtDialogService::answerFor(MsgButtons::YesNoCancel, -1), MsgAnswer::Cancel);
}

TEST(QtDialogService, RealBoxReturnsTheButtonPressed)
{
    // Without a scripted double the program's own service shows a real box; press its No button.
    ASSERT_NE(dynamic_cast<QtDialogService*>(&DialogService::instance()), nullptr);
    QString seenTitle;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenTitle = box->windowTitle();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(showMessage(nullptr, "Save?", MsgButtons::YesNoCancel, MsgIcon::Question), MsgAnswer::No);
    EXPECT_EQ(seenTitle, kDefaultMessageTitle);
}

TEST(QtDialogService, FiltersInQtForm)
{
    EXPECT_EQ(QtDialogService::qtFilter("Microsoft Excel (*.xls) | *.xls"), "Microsoft Excel (*.xls)");
    EXPECT_EQ(QtDialogService::qtFilter("Text|*.txt|All files|*.*"), "Text (*.txt);;All files (*.*)");
    EXPECT_EQ(QtDialogService::qtFilter("Comma separated (*.csv)"), "Comma separated (*.csv)");
    EXPECT_EQ(QtDialogService::qtFilter("A (*.a);;B (*.b)"), "A (*.a);;B (*.b)");
    EXPECT_EQ(QtDialogService::startFolder("c:\\"), QDir::homePath());
}

TEST(ScriptedDialogService, RecordsAndAnswersFromQueueThenDefaults)
{
    DialogService* before = &DialogService::instance();
    {
        test::ScriptedDialogs dialogs;
        EXPECT_EQ(&DialogService::instance(), &dialogs);
        dialogs.answers = {MsgAnswer::No};
        dialogs.files = {QString("/tmp/a.csv"), std::nullopt};
        dialogs.prints = {std::nullopt};

        EXPECT_EQ(showMessage(nullptr, "one", MsgButtons::YesNo, MsgIcon::Question, "Q"), MsgAnswer::No);
        EXPECT_EQ(showMessage(nullptr, "two", MsgButtons::YesNoCancel, MsgIcon::None), MsgAnswer::Yes);
        EXPECT_EQ(showMessage(nullptr, "three", MsgButtons::Ok, MsgIcon::Critical), MsgAnswer::Ok);
        dialogs.yesNoDefault = MsgAnswer::No;
        EXPECT_EQ(showMessage(nullptr, "four", MsgButtons::YesNo, MsgIcon::None), MsgAnswer::No);

        EXPECT_EQ(DialogService::instance().saveFile(nullptr, {"Save", "c:\\", "x", ""}), QString("/tmp/a.csv"));
        EXPECT_EQ(DialogService::instance().openFile(nullptr, {"Open", "", "", ""}), std::nullopt);
        EXPECT_EQ(DialogService::instance().openFile(nullptr, {"Open", "", "", ""}), std::nullopt);
        EXPECT_EQ(DialogService::instance().printDialog(nullptr, 2), std::nullopt);
        QPrinter printer;
        printer.setCopyCount(3);
        EXPECT_TRUE(DialogService::instance().choosePrinter(nullptr, printer));

        EXPECT_EQ(dialogs.texts(), QStringList({"one", "two", "three", "four"}));
        EXPECT_EQ(dialogs.messages[0].title, "Q");
        EXPECT_EQ(dialogs.messages[2].icon, MsgIcon::Critical);
        ASSERT_EQ(dialogs.fileCalls.size(), 3u);
        EXPECT_EQ(dialogs.fileCalls[0].kind, test::ScriptedDialogService::FileKind::Save);
        EXPECT_EQ(dialogs.fileCalls[0].request.startFolder, "c:\\");
        EXPECT_EQ(dialogs.printCalls, (std::vector<int>{2, 3}));
    }
    EXPECT_EQ(&DialogService::instance(), before);
}

TEST(OnTop, TogglesWithoutMovingOrHiding)
{
    QWidget w;
    w.setGeometry(100, 120, 300, 200);
    w.show();
    const QRect before = w.geometry();
    SetOnTop(&w, true);
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.geometry(), before);
    SetOnTop(&w, false);
    EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.geometry(), before);

    QWidget hidden;
    SetOnTop(&hidden, true);
    EXPECT_FALSE(hidden.isVisible());
    SetOnTop(nullptr, true);
}

TEST(Shell, HandsOnlyExistingFilesToTheDesktop)
{
    QStringList opened;
    bool accept = true;
    setShellOpener([&](const QString& p) {
        opened << p;
        return accept;
    });
    QTemporaryDir dir;
    const QString file = dir.filePath("trend.xls");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    EXPECT_TRUE(ShellOpen(file));
    accept = false;
    EXPECT_FALSE(ShellOpen(file));
    EXPECT_FALSE(ShellOpen(dir.filePath("missing.xls")));
    EXPECT_FALSE(ShellOpen(""));
    EXPECT_EQ(opened, QStringList({file, file}));
    setShellOpener({});
}

TEST(Clipboard, RoundTripsText)
{
    setClipboardText("Corn\t180\n");
    EXPECT_EQ(clipboardText(), "Corn\t180\n");
}

TEST(SafeApplication, AFailureInAnEventHandlerIsReportedAndTheProgramGoesOn)
{
    korvel::ui::test::ScriptedDialogs dialogs;
    EXPECT_TRUE(korvel::ui::deliverGuarded([] { return true; }));
    EXPECT_TRUE(dialogs.messages.empty());

    EXPECT_FALSE(korvel::ui::deliverGuarded([]() -> bool { throw std::runtime_error("the disk is full"); }));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "The last action could not be completed: the disk is full");
    EXPECT_EQ(dialogs.messages[0].title, "Error");
    EXPECT_EQ(dialogs.messages[0].icon, korvel::ui::MsgIcon::Critical);
}

// A box beside a long caption in a window far too narrow for both: the layout squeezes what it can, never the
// box below its text (as it follows typing and code) or below its designed content; a short text again gives the
// box back the greatest width it was designed with.
TEST(WholeTextBox, AnyTextStaysWholeInASqueezedLayoutAndTheDesignedWidthReturns)
{
    QWidget window;
    auto* row = new QHBoxLayout(&window);
    auto* caption = new QLabel(QStringLiteral("Extra charge for yields exceeding"));
    caption->setMinimumWidth(0);
    caption->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* box = new QLineEdit;
    box->setMaximumWidth(90);
    row->addWidget(caption);
    row->addWidget(box);
    keepTextWhole(box, QStringLiteral("000.00"));
    window.resize(40, 40);
    window.show();
    const auto whole = [&] {
        QApplication::processEvents();
        window.resize(40, 40);
        QApplication::processEvents();
        EXPECT_EQ(korvel::ui::test::cutText(*box), QString());
        EXPECT_GE(box->width(), widthForText(*box, QStringLiteral("000.00")));
    };
    for (const char* text : {"", "28.58", "0.214", "1,234,567.89", "123456789012345678901234567890"}) {
        SCOPED_TRACE(text);
        box->setText(QString::fromLatin1(text));
        whole();
    }
    box->clear();
    QTest::keyClicks(box, QStringLiteral("9,876,543.21"));
    whole();
    box->setText(QStringLiteral("7"));
    whole();
    // Short again: neither narrower than its designed content nor wider than designed.
    EXPECT_EQ(box->maximumWidth(), 90);
    EXPECT_EQ(box->minimumWidth(), widthForText(*box, QStringLiteral("000.00")));
}

// A box placed by hand, with no layout: it widens to hold a long text, typed or set, and is back at the width it
// was placed with once the text is short again.
TEST(WholeTextBox, ABoxPlacedByHandWidensAndReturnsToItsPlacedWidth)
{
    QWidget window;
    auto* box = new QLineEdit(&window);
    box->setGeometry(10, 10, 57, 24);
    box->setMaximumWidth(57);
    keepTextWhole(box);
    window.show();
    for (const char* text : {"100,000.00", "1", "1000000", ""}) {
        SCOPED_TRACE(text);
        box->setText(QString::fromLatin1(text));
        QApplication::processEvents();
        EXPECT_EQ(korvel::ui::test::cutText(*box), QString());
        EXPECT_EQ(box->width(), std::max(57, widthForText(*box, box->text())));
        EXPECT_EQ(box->x(), 10);
    }
    QTest::keyClicks(box, QStringLiteral("123,456,789.01"));
    EXPECT_EQ(korvel::ui::test::cutText(*box), QString());
}
