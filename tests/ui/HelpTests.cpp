// The help: topics of the shipped help pages behind every help button, the help browser's resolution and its
// "not found" page, the pop-up help window, the About window and opening exported files.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <set>

#include "ui/QtPrinting.h"

#include "model/inputCosts.h"

#include "ui/ScriptedDialogService.h"
#include "ui/main/AboutWindow.h"
#include "ui/main/HelpButtons.h"
#include "ui/main/HelpScreen.h"
#include "ui/main/HelpTopics.h"
#include "ui/platform/HelpBrowser.h"
#include "ui/platform/ProgramFolders.h"
#include "ui/platform/Shell.h"

using namespace korvel::ui;

namespace {

const QString kDataDir = QStringLiteral(KORVEL_DATA_DIR);

QString readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

bool pageHasAnchor(const QString& file, const QString& anchor)
{
    const QRegularExpression re(QStringLiteral("<a\\s+name=\"%1\"").arg(QRegularExpression::escape(anchor)));
    return re.match(readAll(file)).hasMatch();
}

// Makes `w` the program's active window, as a click on it would.
void activate(QWidget* w)
{
    w->show();
    w->raise();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}

class HelpTest : public ::testing::Test {
protected:
    void SetUp() override { HelpTopics::setDataFolder(kDataDir); }
    void TearDown() override
    {
        HelpTopics::closeHelpBrowser();
        HelpTopics::unloadHelpScreen();
        AboutWindow::unload();
        QApplication::processEvents();
        HelpTopics::setDataFolder(QString());
    }
};

} // namespace

TEST_F(HelpTest, EveryHelpButtonOpensARealTopicAndAnchor)
{
    int topics = 0;
    for (int i = 0; i < kHelpButtonCount; ++i) {
        const HelpButtonAction action = helpButtonAction(i);
        if (action.kind != HelpButtonAction::Kind::Topic)
            continue;
        ++topics;
        runHelpButton(i);
        HelpBrowser* browser = HelpTopics::helpBrowser();
        ASSERT_NE(browser, nullptr);
        EXPECT_TRUE(browser->isVisible());
        EXPECT_EQ(browser->requestedTopic(), "HTML/" + action.topic);
        const QString page = action.topic.section('#', 0, 0);
        const QString anchor = action.topic.section('#', 1);
        ASSERT_TRUE(browser->topicFound()) << i << " " << action.topic.toStdString();
        EXPECT_EQ(QFileInfo(browser->resolvedFile()).absolutePath(), QDir(kDataDir + "/help").absolutePath());
        EXPECT_EQ(QFileInfo(browser->resolvedFile()).fileName().compare(page, Qt::CaseInsensitive), 0);
        EXPECT_EQ(browser->anchor(), anchor);
        if (!anchor.isEmpty()) {
            EXPECT_TRUE(pageHasAnchor(browser->resolvedFile(), anchor)) << action.topic.toStdString();
        }
    }
    EXPECT_EQ(topics, 26); // elements 0 to 24 and 28
}

// The units the production-cost help gives each harvest rate are the ones the cost model charges: one dollar
// at the rate costs one dollar on one acre yielding one unit of the stated kind (a bushel, 100 pounds).
TEST_F(HelpTest, HarvestRatesOfTheHelpAreChargedInTheUnitsItStates)
{
    const QString page = readAll(kDataDir + "/help/inputcosts.htm");
    const qsizetype start = page.indexOf(QStringLiteral("<a name=\"harvestunits\">"));
    ASSERT_GE(start, 0);
    const QString table = page.mid(start, page.indexOf(QStringLiteral("</table>"), start) - start);
    const QRegularExpression rowPattern(QStringLiteral("<tr><td>([^<]*)</td><td>([^<]*)</td><td>([^<]*)</td></tr>"));
    using Rate = korvel::Variant korvel::inputCosts::*;
    const std::map<QString, Rate> rates = {{"Base charge", &korvel::inputCosts::HarvestBasePerAcre},
                                           {"Extra charge rate", &korvel::inputCosts::HarvestExceedRate},
                                           {"Hauling", &korvel::inputCosts::HarvestHauling},
                                           {"Flat rate", &korvel::inputCosts::HarvestFlatRate}};
    std::set<QString> seen;
    for (auto m = rowPattern.globalMatch(table); m.hasNext();) {
        const QRegularExpressionMatch row = m.next();
        const auto rate = rates.find(row.captured(1));
        if (rate == rates.end())
            continue;
        seen.insert(rate->first);
        for (int column = 2; column <= 3; ++column) {
            const QString unit = row.captured(column);
            const std::string crop = column == 2 ? "Corn" : "Sunflower";
            const double yield = unit.contains(QStringLiteral("per 100 lb")) ? 100 : 1;
            korvel::inputCosts costs;
            costs.*(rate->second) = korvel::Variant(1);
            if (unit.contains(QStringLiteral("per acre")))
                EXPECT_EQ(costs.getHarvestCost(1, 37, crop), 1) << crop << ": " << unit.toStdString();
            else
                EXPECT_EQ(costs.getHarvestCost(1, yield, crop), 1) << crop << ": " << unit.toStdString();
        }
    }
    EXPECT_EQ(seen.size(), rates.size()) << "every harvest rate has its units";
}

TEST_F(HelpTest, TopicsNamedInEitherCaseOpenTheSamePage)
{
    struct Case {
        int element;
        const char* file;
        const char* anchor;
    };
    const Case cases[] = {
        {0, "mainInput.htm", "TotalAcres"}, {2, "mainInput.htm", "efficiency"}, {7, "irrigationCosts.htm", "lift"},
        {11, "inputcosts.htm", "general"},  {28, "inputcosts.htm", "general"},  {1, "irrigationCosts.htm", ""},
    };
    for (const Case& c : cases) {
        runHelpButton(c.element);
        HelpBrowser* browser = HelpTopics::helpBrowser();
        ASSERT_NE(browser, nullptr);
        EXPECT_EQ(QFileInfo(browser->resolvedFile()).fileName(), c.file) << c.element;
        EXPECT_EQ(browser->anchor(), c.anchor) << c.element;
    }
    // The other entry points of the program.
    for (const char* topic :
         {"index.htm", "batchoption.htm", "batchoption.htm#BatchFixed", "mainInput.htm#SplitFactor"}) {
        HelpBrowser* browser = HelpTopics::ShowHelp(topic);
        EXPECT_TRUE(browser->topicFound()) << topic;
        const QString anchor = QString(topic).section('#', 1);
        if (!anchor.isEmpty()) {
            EXPECT_TRUE(pageHasAnchor(browser->resolvedFile(), anchor)) << topic;
        }
    }
}

TEST_F(HelpTest, MissingTopicShowsNotFoundPageAndTheBrowserRecovers)
{
    HelpBrowser* browser = HelpTopics::ShowHelp("mainInput.htm#Rainfall");
    ASSERT_TRUE(browser->topicFound());
    const QString rainfallPage = browser->view()->toPlainText();

    for (const char* topic : {"nothere.htm", "nothere.htm#x", "", "../CMakeLists.txt", "../help/index.htm", "#x"}) {
        EXPECT_FALSE(browser->showTopic(QStringLiteral("HTML/") + topic)) << topic;
        EXPECT_FALSE(browser->topicFound());
        EXPECT_TRUE(browser->resolvedFile().isEmpty());
        EXPECT_TRUE(browser->view()->toPlainText().contains("not found")) << topic;
    }
    // The same page as before the "not found" page comes back with its own text.
    EXPECT_TRUE(browser->showTopic("HTML/maininput.htm#Rainfall"));
    EXPECT_EQ(browser->view()->toPlainText(), rainfallPage);

    // A missing help folder is a missing topic, never a crash.
    HelpTopics::setDataFolder(QDir::tempPath() + "/korvel-no-such-folder");
    EXPECT_FALSE(HelpTopics::ShowHelp("index.htm")->topicFound());
}

TEST_F(HelpTest, ResolvesEachPathPieceWithoutRegardToCase)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("Sub"));
    for (const char* name : {"Page.htm", "Sub/Inner.HTM"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<html><body><a name=\"A\"></a>text</body></html>");
    }
    EXPECT_EQ(HelpBrowser::resolvePage(dir.path(), "page.HTM"), QFileInfo(dir.filePath("Page.htm")).absoluteFilePath());
    EXPECT_EQ(HelpBrowser::resolvePage(dir.path(), "sub\\inner.htm"),
              QFileInfo(dir.filePath("Sub/Inner.HTM")).absoluteFilePath());
    EXPECT_TRUE(HelpBrowser::resolvePage(dir.path(), "Sub").isEmpty());
    EXPECT_TRUE(HelpBrowser::resolvePage(dir.path(), "Sub/../Page.htm").isEmpty());
    EXPECT_TRUE(HelpBrowser::resolvePage(dir.path(), "other.htm").isEmpty());
}

TEST_F(HelpTest, LinksBetweenPagesAreFollowedAndRecorded)
{
    HelpBrowser* browser = HelpTopics::ShowHelp("index.htm");
    emit browser->view()->anchorClicked(QUrl("MAININPUT.htm#landsplit"));
    EXPECT_EQ(QFileInfo(browser->resolvedFile()).fileName(), "mainInput.htm");
    EXPECT_EQ(browser->anchor(), "landsplit");
    emit browser->view()->anchorClicked(QUrl("#SplitFactor"));
    EXPECT_EQ(browser->anchor(), "SplitFactor");
    emit browser->view()->anchorClicked(QUrl("gone.htm"));
    EXPECT_FALSE(browser->topicFound());
    browser->findChild<QPushButton*>("cmdContents")->click();
    EXPECT_EQ(QFileInfo(browser->resolvedFile()).fileName(), "index.htm");
    browser->findChild<QPushButton*>("cmdBack")->click();
    EXPECT_EQ(QFileInfo(browser->resolvedFile()).fileName(), "mainInput.htm");
}

TEST_F(HelpTest, SoilButtonAndUnknownElementsDoNothing)
{
    for (int i : {29, 30, -1, 1000}) {
        EXPECT_EQ(helpButtonAction(i).kind, HelpButtonAction::Kind::Nothing) << i;
        runHelpButton(i);
    }
    EXPECT_TRUE(HelpTopics::helpBrowser() == nullptr || !HelpTopics::helpBrowser()->isVisible());
    EXPECT_TRUE(HelpTopics::helpScreen() == nullptr || !HelpTopics::helpScreen()->isVisible());
}

TEST_F(HelpTest, PopUpHelpHasItsHeightOkButtonAndCaption)
{
    struct Case {
        int element;
        int height;
        int okTop;
        const char* caption;
    };
    const Case cases[] = {
        {25, 1725, 725, "Help - Add a Trend Process"},
        {26, 1725, 725, "Help - Crop selection"},
        {27, 3000, 2000, "Help - Custom Crops"},
    };
    for (const Case& c : cases) {
        runHelpButton(c.element);
        HelpScreen* popup = HelpTopics::helpScreen();
        ASSERT_NE(popup, nullptr);
        EXPECT_TRUE(popup->isVisible());
        EXPECT_EQ(popup->objectName(), "frmHelp");
        EXPECT_EQ(popup->formHeightTwips(), c.height);
        EXPECT_EQ(popup->okTopTwips(), c.okTop);
        EXPECT_EQ(popup->windowTitle(), c.caption);
        auto* label = popup->findChild<QLabel*>("lblOutput");
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), helpButtonAction(c.element).text);
        // The whole text is readable above the OK button.
        auto* ok = popup->findChild<QPushButton*>("Command1");
        EXPECT_GE(label->height(), label->heightForWidth(label->width()));
        EXPECT_LE(label->geometry().bottom(), ok->geometry().top());
        EXPECT_LE(ok->geometry().bottom(), popup->height());
    }
    // The results pages show pop-ups of their own heights through the same call.
    HelpScreen* popup = HelpTopics::ShowHelpScreen("Exports results to a MS Excel spreadsheet", "Excel Output", 1725);
    EXPECT_EQ(popup->windowTitle(), "Help - Excel Output");
    popup->findChild<QPushButton*>("Command1")->click();
    EXPECT_FALSE(popup->isVisible());
}

TEST_F(HelpTest, PopUpAndAboutCloseWhenAnotherProgramWindowIsActivated)
{
    QWidget mainWindow;
    activate(&mainWindow);

    HelpScreen* popup = HelpTopics::ShowHelpScreen("text", "Custom Crops", 3000);
    activate(popup);
    activate(&mainWindow);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !popup->isVisible(); }, 2000));

    QPointer<AboutWindow> about = AboutWindow::showAbout();
    activate(about);
    activate(&mainWindow);
    EXPECT_TRUE(QTest::qWaitFor([&] { return about.isNull() || !about->isVisible(); }, 2000));
}

TEST_F(HelpTest, EscClosesThePopUpTheAboutWindowAndTheHelpBrowser)
{
    struct Case {
        const char* what;
        std::function<QWidget*()> open;
    };
    const Case cases[] = {
        {"pop-up help", [] { return HelpTopics::ShowHelpScreen("text", "Custom Crops", 3000); }},
        {"About", [] { return AboutWindow::showAbout(); }},
        {"help browser", [] { return HelpTopics::ShowHelp("index.htm"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QPointer<QWidget> window = c.open();
        activate(window);
        QWidget* focused = window->focusWidget() ? window->focusWidget() : window.data();
        QTest::keyClick(focused, Qt::Key_Escape);
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull() || !window->isVisible(); }, 2000));
    }
}

TEST_F(HelpTest, HelpBrowserDoesNotCloseThePopUp)
{
    HelpScreen* popup = HelpTopics::ShowHelpScreen("text", "Custom Crops", 3000);
    activate(popup);
    activate(HelpTopics::ShowHelp("index.htm"));
    QApplication::processEvents();
    EXPECT_TRUE(popup->isVisible());
    EXPECT_FALSE(HelpTopics::helpBrowser()->testAttribute(Qt::WA_QuitOnClose));
}

TEST_F(HelpTest, AboutShowsVersionContactsAndDisclaimerAndClosesOnClick)
{
    for (const char* target : {"", "lblDisclaimer"}) {
        QPointer<AboutWindow> about = AboutWindow::showAbout();
        ASSERT_TRUE(about);
        EXPECT_EQ(about->objectName(), "frmAbout");
        EXPECT_EQ(about->findChild<QLabel*>("Label1")->text(), "Version 1.16  Build 002");
        EXPECT_EQ(about->findChild<QLabel*>("Label2")->text(), "For more information, contact:");
        EXPECT_GE(about->findChild<QLabel*>("lblContact")->text().count('\n'), 2);
        EXPECT_GE(about->findChild<QLabel*>("lblContactOrmand")->text().count('\n'), 2);
        EXPECT_TRUE(
            about->findChild<QLabel*>("lblDisclaimer")
                ->text()
                .startsWith("This program was written for use as a tool to help with allocating irrigation water"));
        QWidget* where = *target ? static_cast<QWidget*>(about->findChild<QLabel*>(target)) : about.data();
        QTest::mouseClick(where, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_TRUE(QTest::qWaitFor([&] { return about.isNull() || !about->isVisible(); }, 2000));
    }
}

TEST(OpenFile, TellsTheUserWhenTheDesktopCannotOpenTheFile)
{
    test::ScriptedDialogs dialogs;
    bool accept = true;
    setShellOpener([&](const QString&) { return accept; });
    QTemporaryDir dir;
    const QString file = dir.filePath("trend.xls");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    HelpTopics::OpenFile(file);
    EXPECT_TRUE(dialogs.messages.empty());

    accept = false;
    HelpTopics::OpenFile(file);
    HelpTopics::OpenFile(dir.filePath("missing.xls"));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text, "The file " + file +
                                            " could not be opened by the Korvel.  Please open the file manually by "
                                            "finding it on your hard drive.");
    EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::None);
    EXPECT_TRUE(dialogs.messages[0].title.isEmpty());
    EXPECT_TRUE(dialogs.messages[1].text.contains("missing.xls"));
    setShellOpener({});
}

TEST(DataFolder, HelpLivesInTheShippedDataFolderNeverTheWorkingFolder)
{
    HelpTopics::setDataFolder(QString());
    EXPECT_EQ(HelpTopics::dataFolder(), shippedDataFolder(QCoreApplication::applicationDirPath()));
    HelpTopics::setDataFolder("/opt/korvel/share/korvel");
    EXPECT_EQ(HelpTopics::helpFolder(), "/opt/korvel/share/korvel/help");
    HelpTopics::setDataFolder(QString());
}
