// A monkey on the real main window: every pane in turn, realistic and nonsense texts in its boxes, then every
// enabled visible button of the pane and every menu item, one after the other in a fixed order. No step may
// throw, take more than a few seconds, or leave "inf" or "nan" in a label or the summary table.
#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QRegularExpression>
#include <QTableWidget>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <set>

#include "ui/AssembledWindow.h"
#include "ui/RecordingPrintSurface.h"
#include "ui/platform/Shell.h"
#include "ui/results/ResultPrinter.h"

using namespace korvel::ui;

namespace {

// What is typed into every box of a pane, in turn.
const QStringList kNonsense{QString(),
                            QStringLiteral("abc"),
                            QStringLiteral("-5"),
                            QStringLiteral("1e308"),
                            QStringLiteral("1,5,,"),
                            QString(400, QLatin1Char('9')),
                            QStringLiteral("0"),
                            QStringLiteral("1e300"),
                            QStringLiteral("0.0000001")};

// What one step may take at most (a sanitizer build runs many times slower).
#if defined(__SANITIZE_ADDRESS__)
constexpr qint64 kStepBudgetMs = 30000;
#else
constexpr qint64 kStepBudgetMs = 5000;
#endif

// The dialog double of the monkey: boxes as usual, while every file dialog picks something, in turn: for a
// save, a plain file, a file in a folder that does not exist, a name without extension and an empty name; for an open,
// value files of sensible and nonsense contents, a file that does not exist and a folder.
class MonkeyDialogs : public test::ScriptedDialogService {
public:
    explicit MonkeyDialogs(std::filesystem::path folder) : folder_(std::move(folder)) {}

    std::optional<QString> saveFile(QWidget* parent, const FileRequest& request) override
    {
        ScriptedDialogService::saveFile(parent, request);
        const std::filesystem::path picks[] = {folder_ / "export.csv", folder_ / "no-such-folder" / "export.csv",
                                               folder_ / "export", std::filesystem::path()};
        return QString::fromStdString(picks[saves_++ % std::size(picks)].string());
    }

    std::optional<QString> openFile(QWidget* parent, const FileRequest& request) override
    {
        ScriptedDialogService::openFile(parent, request);
        const std::string contents[] = {"1\r\n2\r\n3\r\n", "abc\r\n",   "",
                                        "1e308\r\n-5\r\n", "1,5,,\r\n", std::string(400, '9') + "\r\n",
                                        "12\n14\n16\n18",  "0\r\n0\r\n"};
        const std::size_t k = opens_++ % (std::size(contents) + 2);
        if (k == std::size(contents))
            return QString::fromStdString((folder_ / "no-such-values.txt").string());
        if (k == std::size(contents) + 1)
            return QString::fromStdString(folder_.string());
        const std::filesystem::path file = folder_ / ("values" + std::to_string(k) + ".txt");
        std::ofstream(file, std::ios::binary | std::ios::trunc) << contents[k];
        return QString::fromStdString(file.string());
    }

private:
    std::filesystem::path folder_;
    std::size_t saves_ = 0;
    std::size_t opens_ = 0;
};

// Qt's own warnings during the run, but for what the headless platform says it cannot do.
QStringList qtWarnings;
QtMessageHandler previousHandler = nullptr;
void collectWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtDebugMsg && type != QtInfoMsg && !text.startsWith(QStringLiteral("This plugin does not support")))
        qtWarnings << text;
    if (previousHandler)
        previousHandler(type, context, text);
}

class Monkey : public test::MainWindowTest {
protected:
    void SetUp() override
    {
        qtWarnings.clear();
        previousHandler = qInstallMessageHandler(collectWarnings);
        MainWindowTest::SetUp();
        setShellOpener([](const QString&) { return true; });
        open();
        // Printing is accepted and lands on a recording surface.
        thePrinter(*window).setSurfaceFactory(test::recordingFactory(printed_));
        window->show();
        before_ = topLevels();
    }
    void TearDown() override
    {
        closeStrays();
        setShellOpener({});
        MainWindowTest::TearDown();
        qInstallMessageHandler(previousHandler);
        EXPECT_TRUE(qtWarnings.isEmpty()) << qtWarnings.join(QLatin1Char('\n')).toStdString();
    }

    static std::set<QWidget*> topLevels()
    {
        const QWidgetList all = QApplication::topLevelWidgets();
        return {all.begin(), all.end()};
    }
    // Closes the windows a step opened (options, about, help, pop-up texts), keeping the main window.
    void closeStrays()
    {
        // First every button of each window a step opened, once (what those open is only closed).
        if (!inStray_) {
            inStray_ = true;
            std::vector<QPointer<QWidget>> strays;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w != window.get() && !before_.count(w) && w->isVisible() && !qobject_cast<QMenu*>(w))
                    strays.emplace_back(w);
            for (const QPointer<QWidget>& stray : strays) {
                if (!stray)
                    continue;
                std::vector<QPointer<QAbstractButton>> buttons;
                for (QAbstractButton* b : stray->findChildren<QAbstractButton*>())
                    buttons.emplace_back(b);
                for (const QPointer<QAbstractButton>& b : buttons)
                    if (stray && stray->isVisible() && b && b->isVisible() && b->isEnabled()) {
                        const std::string name =
                            stray->objectName().toStdString() + "/" + b->objectName().toStdString();
                        QElapsedTimer clock;
                        clock.start();
                        EXPECT_NO_THROW(b->click()) << name;
                        EXPECT_NO_THROW(QApplication::processEvents()) << name;
                        EXPECT_LT(clock.elapsed(), kStepBudgetMs) << name;
                        ++steps_;
                    }
            }
            inStray_ = false;
        }
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != window.get() && !before_.count(w) && w->isVisible() && !qobject_cast<QMenu*>(w))
                w->close();
        QApplication::processEvents();
    }

    // One user action: no exception, bounded in time, no nonsense figure shown afterwards.
    void step(const std::string& what, const std::function<void()>& action)
    {
        SCOPED_TRACE(what);
        static const bool dumpSteps = qEnvironmentVariableIsSet("KORVEL_MONKEY_LOG");
        if (dumpSteps)
            std::cerr << "[ step ] " << what << "\n";
        QElapsedTimer clock;
        clock.start();
        EXPECT_NO_THROW(action()) << what;
        EXPECT_NO_THROW(QApplication::processEvents()) << what;
        EXPECT_LT(clock.elapsed(), kStepBudgetMs) << what;
        if (dumpSteps && clock.elapsed() > 50)
            std::cerr << "[ slow ] " << clock.elapsed() << " ms: " << what << "\n";
        EXPECT_FALSE(window->searchRunning()) << what;
        checkFigures(what);
        for (size_t i = boxesSeen_; i < boxes.messages.size(); ++i)
            EXPECT_FALSE(boxes.messages[i].text.contains(QStringLiteral("more than -")))
                << what << ": \"" << boxes.messages[i].text.toStdString() << "\"";
        boxesSeen_ = boxes.messages.size();
        closeStrays();
        ++steps_;
    }

    void checkFigures(const std::string& what)
    {
        static const QRegularExpression bad(QStringLiteral("\\b(inf|nan|infinity)\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
        static const bool dump = qEnvironmentVariableIsSet("KORVEL_MONKEY_LOG");
        for (QLabel* label : window->findChildren<QLabel*>())
            if (label->isVisible()) {
                if (dump)
                    std::cerr << "[ label ] " << label->objectName().toStdString() << " = "
                              << label->text().left(200).toStdString() << "\n";
                EXPECT_FALSE(bad.match(label->text()).hasMatch()) << what << ": " << label->objectName().toStdString()
                                                                  << " shows \"" << label->text().toStdString() << "\"";
            }
        for (QLineEdit* box : window->findChildren<QLineEdit*>())
            if (box->isVisible()) {
                EXPECT_FALSE(bad.match(box->text()).hasMatch()) << what << ": " << box->objectName().toStdString()
                                                                << " holds \"" << box->text().toStdString() << "\"";
            }
        for (QComboBox* combo : window->findChildren<QComboBox*>())
            if (combo->isVisible()) {
                EXPECT_FALSE(bad.match(combo->currentText()).hasMatch())
                    << what << ": " << combo->objectName().toStdString() << " holds \""
                    << combo->currentText().toStdString() << "\"";
            }
        for (QTableWidget* table : window->findChildren<QTableWidget*>())
            if (table->isVisible())
                for (int r = 0; r < table->rowCount(); ++r)
                    for (int c = 0; c < table->columnCount(); ++c)
                        if (QTableWidgetItem* item = table->item(r, c)) {
                            EXPECT_FALSE(bad.match(item->text()).hasMatch())
                                << what << ": " << table->objectName().toStdString() << " (" << r << ", " << c
                                << ") shows \"" << item->text().toStdString() << "\"";
                        }
    }

    static std::string nameOf(QObject* o)
    {
        std::string name = o->objectName().toStdString();
        for (QObject* p = o->parent(); p && p->parent(); p = p->parent())
            if (!p->objectName().isEmpty()) {
                name = p->objectName().toStdString().append("/").append(name);
                break;
            }
        return name;
    }

    // Realistic inputs on the main pane and the default costs.
    void realistic()
    {
        window->ShowPane(window->pneMain());
        fillInputs();
        pane().defaultsButton->click();
    }

    // Types `text` into every visible, enabled box of `pane` and leaves it, as a user does.
    void typeEverywhere(QWidget* pane, const QString& text)
    {
        for (QLineEdit* box : pane->findChildren<QLineEdit*>()) {
            QPointer<QLineEdit> alive(box);
            if (!box->isVisible() || !box->isEnabled() || box->isReadOnly())
                continue;
            step("type \"" + text.left(12).toStdString() + "\" into " + nameOf(box), [&] {
                box->setFocus(Qt::TabFocusReason);
                box->selectAll();
                box->insert(text);
                if (alive)
                    QTest::keyClick(box, Qt::Key_Tab);
            });
        }
        for (QComboBox* combo : pane->findChildren<QComboBox*>()) {
            if (!combo->isVisible() || !combo->isEnabled())
                continue;
            step("choose in " + nameOf(combo), [&] {
                if (combo->isEditable())
                    combo->setEditText(text);
                else if (combo->count() > 0)
                    combo->setCurrentIndex(combo->count() - 1);
            });
        }
    }

    // Clicks every enabled visible button of the pane, reaching the pane again when a click left it.
    void clickEverything(const std::string& paneName, QWidget* pane, const std::function<void()>& reach,
                         const QString& text)
    {
        std::vector<QPointer<QAbstractButton>> buttons;
        for (QAbstractButton* b : pane->findChildren<QAbstractButton*>())
            if (b->isVisible() && b->isEnabled())
                buttons.emplace_back(b);
        for (const QPointer<QAbstractButton>& b : buttons) {
            if (!pane->isVisible()) {
                step("reach " + paneName, reach);
                if (!text.isNull())
                    typeEverywhere(pane, text);
            }
            if (!b || !b->isVisible() || !b->isEnabled())
                continue;
            step("click " + nameOf(b) + " on " + paneName, [&] { b->click(); });
        }
    }

    void triggerMenus(const std::string& paneName)
    {
        std::vector<QPointer<QAction>> actions;
        std::function<void(QMenu*)> collect = [&](QMenu* menu) {
            for (QAction* a : menu->actions()) {
                if (a->menu())
                    collect(a->menu());
                else if (!a->isSeparator() && a != window->mnuExit)
                    actions.emplace_back(a);
            }
        };
        for (QAction* a : window->menuBar()->actions()) {
            if (a->menu())
                collect(a->menu());
            else if (a != window->mnuExit)
                actions.emplace_back(a);
        }
        for (const QPointer<QAction>& a : actions)
            if (a && a->isEnabled() && a->isVisible())
                step("menu " + a->objectName().toStdString() + " on " + paneName, [&] { a->trigger(); });
    }

    // Every entry of every list of the pane, chosen as a user does, each list from its first entry to its last
    // and back to its first.
    void chooseEverything(const std::string& paneName, QWidget* pane, const std::function<void()>& reach)
    {
        std::vector<QPointer<QComboBox>> combos;
        for (QComboBox* c : pane->findChildren<QComboBox*>())
            if (c->isVisible() && c->isEnabled())
                combos.emplace_back(c);
        for (const QPointer<QComboBox>& c : combos) {
            if (!pane->isVisible())
                step("reach " + paneName, reach);
            if (!c || !c->isVisible() || !c->isEnabled())
                continue;
            const int n = c->count();
            for (int k = 0; k <= n && k <= 40; ++k) {
                const int i = k == n ? 0 : k;
                if (!c || !c->isVisible() || !c->isEnabled() || i >= c->count())
                    break;
                step("choose " + std::to_string(i) + " in " + nameOf(c) + " on " + paneName, [&] {
                    c->setCurrentIndex(i);
                    if (c)
                        emit c->activated(i);
                });
            }
        }
    }

    // Every state of a pane: as reached, then each nonsense text in its boxes; the buttons and menus in each.
    void exercise(const std::string& paneName, QWidget* pane, const std::function<void()>& reach)
    {
        step("reach " + paneName, reach);
        ASSERT_TRUE(pane->isVisible()) << paneName << ": " << boxes.lastText().toStdString();
        clickEverything(paneName, pane, reach, QString());
        step("resize with " + paneName, [&] {
            const QSize size = window->size();
            for (const QSize& other : {QSize(1, 1), QSize(4000, 3000), QSize(200, 2000), size}) {
                window->resize(other);
                QApplication::processEvents();
            }
        });
        step("reach " + paneName, reach);
        chooseEverything(paneName, pane, reach);
        step("reach " + paneName, reach);
        triggerMenus(paneName);
        for (const QString& text : kNonsense) {
            step("reach " + paneName, reach);
            typeEverywhere(pane, text);
            clickEverything(paneName, pane, reach, text);
        }
    }

    void run() { pane().runButton->click(); }

    // A run and a look at what it shows: the first options, a field's details, saving, the summary table.
    void runAndBrowse(const std::string& what)
    {
        MainWindow& main = w();
        step("run after " + what, [&] {
            main.ShowPane(main.pneMain());
            run();
        });
        if (!pneResults(main)->isVisible())
            return;
        const auto press = [&](QWidget* in, const QString& name) {
            if (auto* b = in->findChild<QAbstractButton*>(name); b && b->isVisible() && b->isEnabled())
                step("click " + name.toStdString() + " after " + what, [&] { b->click(); });
        };
        press(pneResults(main), QStringLiteral("cmdAdvance"));
        press(pneResults(main), QStringLiteral("cmdPrevious"));
        if (browseAll_) {
            // To the last option and back to the first, saving every one.
            for (const char* name : {"cmdAdvance", "cmdPrevious"})
                for (int k = 0; k < 60; ++k) {
                    auto* b = pneResults(main)->findChild<QAbstractButton*>(QString::fromLatin1(name));
                    if (!b || !b->isVisible() || !b->isEnabled())
                        break;
                    press(pneResults(main), QStringLiteral("cmdSaveResult"));
                    press(pneResults(main), QString::fromLatin1(name));
                }
        }
        if (auto* rh = pneResults(main)->findChild<QWidget*>(QStringLiteral("rh(0)")))
            press(rh, QStringLiteral("cmdDetails"));
        if (pneDetails(main)->isVisible())
            press(pneDetails(main), QStringLiteral("Command3"));
        press(pneResults(main), QStringLiteral("cmdSaveResult"));
        if (main.mnuSummary->isEnabled())
            step("summary after " + what, [&] { main.mnuSummary->trigger(); });
        main.state().summaryResults.clear();
    }

    // Each box of the pane on its own: every nonsense text in it, the others realistic, then a run.
    void eachBoxAlone(const std::string& paneName, QWidget* pane, const std::function<void()>& reach,
                      const QString& back)
    {
        step("reach " + paneName, reach);
        QStringList names;
        for (QLineEdit* box : pane->findChildren<QLineEdit*>())
            if (box->isVisible() && box->isEnabled() && !box->isReadOnly() && !box->objectName().isEmpty())
                names << box->objectName();
        ASSERT_FALSE(names.isEmpty()) << paneName;
        for (int i = 0; i < names.size(); ++i) {
            for (const QString& text : kNonsense) {
                const std::string what =
                    "\"" + text.left(12).toStdString() + "\" in " + names[i].toStdString() + " on " + paneName;
                step("reach " + paneName, reach);
                // Boxes of the crop rows share names: the i-th of that name.
                QList<QLineEdit*> same;
                for (QLineEdit* box : pane->findChildren<QLineEdit*>(names[i]))
                    if (box->isVisible())
                        same << box;
                const int nth = int(names.mid(0, i).count(names[i]));
                if (nth >= same.size())
                    continue;
                QLineEdit* box = same[nth];
                step("type " + what, [&] {
                    box->setFocus(Qt::TabFocusReason);
                    box->selectAll();
                    box->insert(text);
                    QTest::keyClick(box, Qt::Key_Tab);
                });
                if (!back.isEmpty())
                    if (auto* b = pane->findChild<QAbstractButton*>(back); b && b->isVisible())
                        step("back " + what, [&] { b->click(); });
                runAndBrowse(what);
            }
        }
    }

    // A custom crop whose yield cells all read `text` (or are pasted from the clipboard), saved, ticked and run.
    void customCropWith(const QString& text, bool paste)
    {
        MainWindow& main = w();
        CustomCropPane& custom = *main.pneCustomCrop();
        const std::string what =
            std::string(paste ? "pasted" : "typed") + " custom yields \"" + text.left(12).toStdString() + "\"";
        step("open custom crops for " + what, [&] {
            realistic();
            main.mnuCustomCrop->trigger();
        });
        step("fill " + what, [&] {
            test::typeInto(custom.nameBox, QStringLiteral("Monkey"));
            custom.cboCustomGrid[1]->setCurrentIndex(custom.cboCustomGrid[1]->count() > 3 ? 3 : 0);
            custom.cboCustomGrid[2]->setCurrentIndex(custom.cboCustomGrid[2]->count() - 1);
            custom.cboCustomGrid[3]->setCurrentIndex(custom.cboCustomGrid[3]->count() > 6 ? 6 : 0);
            custom.cmdCustomGrid[0]->click();
            if (paste) {
                QString rows;
                for (int r = 1; r < custom.Rows(); ++r) {
                    QStringList cells;
                    for (int c = 1; c < custom.Cols(); ++c)
                        cells << text;
                    rows += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
                }
                QApplication::clipboard()->setText(rows);
                custom.cmdCustomGrid[4]->click();
            } else {
                for (int r = 1; r < custom.Rows(); ++r)
                    for (int c = 1; c < custom.Cols(); ++c)
                        custom.setCellText(r, c, text);
            }
        });
        step("save " + what, [&] { custom.cmdCustomGrid[2]->click(); });
        step("home after " + what, [&] { custom.cmdCustomGrid[5]->click(); });
        step("tick the custom crop after " + what, [&] {
            main.ShowPane(main.pneMain());
            for (int i = 0; i < main.cropRowCount(); ++i)
                if (main.cr(i)->GetCrop() == QStringLiteral("Monkey")) {
                    main.cr(i)->chkCrop->setChecked(true);
                    main.cr(i)->txtPrice->setText(QStringLiteral("3"));
                    main.cr(i)->txtMaxYield->setText(QStringLiteral("100"));
                    if (main.cr(i)->cmdInputCosts->isEnabled())
                        main.cr(i)->cmdInputCosts->click();
                }
        });
        if (main.pneInputCosts()->isVisible())
            clickEverything(
                "pneInputCosts (custom crop)", main.pneInputCosts(), [] {}, QString());
        runAndBrowse(what);
        step("delete the custom crop after " + what, [&] {
            main.mnuCustomCrop->trigger();
            for (int k = 1; k < custom.cboCustomGrid[0]->count(); ++k)
                if (custom.cboCustomGrid[0]->itemText(k) == QStringLiteral("Monkey")) {
                    custom.cboCustomGrid[0]->setCurrentIndex(k);
                    custom.cmdCustomGrid[6]->click();
                    break;
                }
            custom.cmdCustomGrid[5]->click();
        });
    }

    // Keys typed into the custom crop grid and its name box, from a few cells (corners included).
    void typeIntoTheGrid()
    {
        MainWindow& main = w();
        CustomCropPane& custom = *main.pneCustomCrop();
        step("open custom crops for typing", [&] {
            realistic();
            main.mnuCustomCrop->trigger();
            custom.cboCustomGrid[5]->setCurrentIndex(custom.cboCustomGrid[5]->count() > 1 ? 1 : 0);
            emit custom.cboCustomGrid[5]->activated(custom.cboCustomGrid[5]->currentIndex());
        });
        const std::vector<std::pair<int, Qt::KeyboardModifiers>> keys{
            {Qt::Key_Delete, Qt::NoModifier},   {Qt::Key_Backspace, Qt::NoModifier}, {Qt::Key_Left, Qt::NoModifier},
            {Qt::Key_Right, Qt::NoModifier},    {Qt::Key_Up, Qt::NoModifier},        {Qt::Key_Down, Qt::NoModifier},
            {Qt::Key_Return, Qt::NoModifier},   {Qt::Key_Tab, Qt::NoModifier},       {Qt::Key_Home, Qt::NoModifier},
            {Qt::Key_End, Qt::NoModifier},      {Qt::Key_C, Qt::ControlModifier},    {Qt::Key_V, Qt::ControlModifier},
            {Qt::Key_X, Qt::ControlModifier},   {Qt::Key_Escape, Qt::NoModifier},    {Qt::Key_Minus, Qt::NoModifier},
            {Qt::Key_Period, Qt::NoModifier},   {Qt::Key_A, Qt::NoModifier},         {Qt::Key_5, Qt::NoModifier},
            {Qt::Key_PageDown, Qt::NoModifier}, {Qt::Key_Backtab, Qt::ShiftModifier}};
        const int rows = custom.Rows();
        const int cols = custom.Cols();
        const std::vector<std::pair<int, int>> cells{{1, 1}, {rows - 1, cols - 1}, {1, cols - 1}, {rows - 1, 1}};
        // Plain variables rather than structured bindings: clang 14 cannot capture a binding in a lambda.
        for (const auto& cell : cells)
            for (const auto& press : keys) {
                const int r = cell.first;
                const int c = cell.second;
                const int key = press.first;
                const Qt::KeyboardModifiers mods = press.second;
                step("key " + std::to_string(key) + " in grid cell " + std::to_string(r) + "," + std::to_string(c),
                     [&] {
                         custom.setCurrentCell(r, c);
                         QApplication::clipboard()->setText(QStringLiteral("1\t2\n3\t4\n"));
                         for (int k = 0; k < 3; ++k)
                             QTest::keyClick(custom.dgCustom, Qt::Key(key), mods);
                     });
            }
        for (const auto& press : keys) {
            const int key = press.first;
            const Qt::KeyboardModifiers mods = press.second;
            step("key " + std::to_string(key) + " in the name box",
                 [&] { QTest::keyClick(custom.nameBox, Qt::Key(key), mods); });
        }
        step("home after typing", [&] { custom.cmdCustomGrid[5]->click(); });
    }

    MonkeyDialogs boxes{folder.path()};
    test::DialogServiceGuard boxesInstalled_{boxes};
    std::shared_ptr<test::PrintLog> printed_ = std::make_shared<test::PrintLog>();
    // A second window on the same folder loads the inputs file as it stands, then runs and prints.
    void reopen(const std::string& what)
    {
        std::unique_ptr<MainWindow> again;
        QElapsedTimer clock;
        clock.start();
        EXPECT_NO_THROW({
            again = std::make_unique<MainWindow>(ProgramFolders::inOne(QString::fromStdString(folder.path().string())),
                                                 session, test::windowPanes());
            again->load();
            again->show();
            again->pneMain()->runButton->click();
            if (again->mnuPrint->isEnabled()) {
                thePrinter(*again).setSurfaceFactory(test::recordingFactory(printed_));
                again->mnuPrint->trigger();
            }
            QApplication::processEvents();
        }) << what;
        EXPECT_LT(clock.elapsed(), kStepBudgetMs) << what;
        if (again) {
            EXPECT_FALSE(again->searchRunning()) << what;
        }
        EXPECT_NO_THROW(again.reset()) << what;
        QApplication::processEvents();
        ++steps_;
    }

    // The inputs file written from nonsense in every box, and garbled by hand, read by a fresh window.
    void reopenWithNonsense()
    {
        MainWindow& main = w();
        for (const QString& text : kNonsense) {
            const std::string what = "inputs file of \"" + text.left(12).toStdString() + "\"";
            step("save " + what, [&] {
                realistic();
                for (QLineEdit* box : main.pneMain()->findChildren<QLineEdit*>())
                    if (box->isVisible())
                        box->setText(text);
                main.pneMain()->txtAnnRain->setEditText(text);
                pane().irrigationButton->click();
                for (QLineEdit* box : main.pneIrrigCosts()->findChildren<QLineEdit*>())
                    if (box->isVisible())
                        box->setText(text);
                main.ShowPane(main.pneMain());
                main.saveInputs();
            });
            reopen(what);
            step("garble " + what, [&] {
                std::ofstream out(folder.path() / "inputs.txt", std::ios::binary | std::ios::trunc);
                for (int i = 0; i < 60; ++i)
                    out << text.toStdString() << (i % 3 == 0 ? "=" + text.toStdString() : "") << "\r\n";
            });
            reopen("garbled " + what);
        }
        step("truncated inputs file", [&] {
            std::ofstream out(folder.path() / "inputs.txt", std::ios::binary | std::ios::trunc);
            out << "160\r\n12";
        });
        reopen("truncated inputs file");
    }

    // Trend runs of every variable with sensible and nonsense ranges and value lists, variable and fixed, and
    // every button of the trend results each gives.
    void trendSweep(const std::function<void()>& trendOn)
    {
        MainWindow& main = w();
        TrendSetupPane& setup = *trendSetupPane(main);
        const std::vector<std::pair<QString, QString>> ranges{{"5", "7"}, {"0", "0"},   {"-5", "5"}, {"1e300", "1e301"},
                                                              {"7", "5"}, {"11", "21"}, {"abc", ""}};
        const QStringList lists{"1,2,3", "1,5,,", "abc", "-5,1e308", "0"};
        for (bool fixed : {false, true})
            for (int v = 0; v < int(setup.optBatchVariable.size()); ++v)
                for (size_t k = 0; k < ranges.size() + size_t(lists.size()); ++k) {
                    const bool manual = k >= ranges.size();
                    const std::string what =
                        std::string(fixed ? "fixed" : "variable") + " trend of variable " + std::to_string(v) +
                        " with " +
                        (manual ? "list \"" + lists[int(k - ranges.size())].toStdString()
                                : "range " + ranges[k].first.toStdString() + " to " + ranges[k].second.toStdString()) +
                        "\"";
                    step("set up " + what, [&] {
                        trendOn();
                        realistic();
                        if (fixed) {
                            run();
                            if (auto* b = pneResults(main)->findChild<QAbstractButton*>(QStringLiteral("cmdBatchThis")))
                                b->click();
                        } else {
                            main.mnuFallBatch->trigger();
                        }
                    });
                    if (!setup.isVisible() || !setup.optBatchVariable[size_t(v)]->isVisible() ||
                        !setup.optBatchVariable[size_t(v)]->isEnabled())
                        continue;
                    step("fill " + what, [&] {
                        setup.optBatchVariable[size_t(v)]->click();
                        if (manual) {
                            setup.optBatchOption[2]->click();
                            if (setup.txtBatchList->isVisible() && setup.txtBatchList->isEnabled())
                                test::typeInto(setup.txtBatchList, lists[int(k - ranges.size())]);
                        } else {
                            setup.optBatchOption[0]->click();
                            test::typeInto(setup.txtBatchMinimum[0], ranges[k].first);
                            test::typeInto(setup.txtBatchMinimum[1], ranges[k].second);
                            if (setup.cboBatchSteps->count() > 0)
                                setup.cboBatchSteps->setCurrentIndex(setup.cboBatchSteps->count() - 1);
                        }
                    });
                    if (fixed && setup.cmdAddBatchProcess->isVisible() && setup.cmdAddBatchProcess->isEnabled()) {
                        step("add a process to " + what, [&] { setup.cmdAddBatchProcess->click(); });
                        step("second process of " + what, [&] {
                            setup.optBatchVariable[size_t((v + 3) % int(setup.optBatchVariable.size()))]->click();
                            setup.optBatchOption[0]->click();
                            test::typeInto(setup.txtBatchMinimum[0], QStringLiteral("12"));
                            test::typeInto(setup.txtBatchMinimum[1], QStringLiteral("18"));
                        });
                    }
                    step("generate " + what, [&] { setup.cmdBatchIt->click(); });
                    if (!fixed && k < 3 && setup.isVisible() && setup.cmdOpenBatch->isVisible()) {
                        step("import values for " + what, [&] { setup.cmdOpenBatch->click(); });
                        step("generate imported " + what, [&] { setup.cmdBatchIt->click(); });
                        if (trendResultsPane(main)->isVisible())
                            clickEverything(
                                "pneBatchSetup(1) after imported " + what, trendResultsPane(main), [] {}, QString());
                    }
                    if (trendResultsPane(main)->isVisible())
                        clickEverything(
                            "pneBatchSetup(1) after " + what, trendResultsPane(main), [] {}, QString());
                }
    }

    // Custom crops saved under awkward names, then the library read again and a run.
    void customCropNames()
    {
        MainWindow& main = w();
        CustomCropPane& custom = *main.pneCustomCrop();
        const QStringList names{QString(400, QLatin1Char('n')), QStringLiteral("a/b\\c:*?\"<>|"),
                                QStringLiteral(".."),           QStringLiteral(" "),
                                QStringLiteral("Corn"),         QStringLiteral("-5"),
                                QStringLiteral("x=y")};
        for (const QString& name : names) {
            const std::string what = "custom crop named \"" + name.left(12).toStdString() + "\"";
            step("save " + what, [&] {
                realistic();
                main.mnuCustomCrop->trigger();
                test::typeInto(custom.nameBox, name);
                custom.cmdCustomGrid[0]->click();
                for (int r = 1; r < custom.Rows(); ++r)
                    for (int c = 1; c < custom.Cols(); ++c)
                        custom.setCellText(r, c, QString::number(10 * r + c));
                custom.cmdCustomGrid[2]->click();
                custom.cmdCustomGrid[5]->click();
            });
            step("tick every crop after " + what, [&] {
                main.ShowPane(main.pneMain());
                for (int i = 0; i < main.cropRowCount(); ++i) {
                    main.cr(i)->chkCrop->setChecked(true);
                    if (main.cr(i)->txtPrice->text().isEmpty())
                        main.cr(i)->txtPrice->setText(QStringLiteral("3"));
                    if (main.cr(i)->txtMaxYield->text().isEmpty())
                        main.cr(i)->txtMaxYield->setText(QStringLiteral("100"));
                }
            });
            runAndBrowse(what);
            reopen("a library with a " + what);
            step("delete " + what, [&] {
                main.mnuCustomCrop->trigger();
                for (int k = custom.cboCustomGrid[0]->count() - 1; k >= 1; --k) {
                    custom.cboCustomGrid[0]->setCurrentIndex(k);
                    emit custom.cboCustomGrid[0]->activated(k);
                    if (custom.cmdCustomGrid[6]->isVisible())
                        custom.cmdCustomGrid[6]->click();
                }
                custom.cmdCustomGrid[5]->click();
            });
        }
    }

    int steps_ = 0;
    bool browseAll_ = false;
    bool inStray_ = false;
    size_t boxesSeen_ = 0;
    std::set<QWidget*> before_;
};

TEST_F(Monkey, EveryPaneEveryButtonEveryMenuWithRealisticAndNonsenseInputs)
{
    MainWindow& main = w();
    const auto toMain = [&] { realistic(); };
    const auto toCosts = [&] {
        realistic();
        row(QStringLiteral("Corn"))->cmdInputCosts->click();
    };
    const auto toIrrigation = [&] {
        realistic();
        pane().irrigationButton->click();
    };
    const auto toResults = [&] {
        realistic();
        run();
    };
    const auto toDetails = [&] {
        toResults();
        if (auto* rh = pneResults(main)->findChild<QWidget*>(QStringLiteral("rh(0)")))
            if (auto* details = rh->findChild<QAbstractButton*>(QStringLiteral("cmdDetails")))
                details->click();
    };
    const auto toSummary = [&] {
        toResults();
        if (auto* save = pneResults(main)->findChild<QAbstractButton*>(QStringLiteral("cmdSaveResult")))
            save->click();
        main.mnuSummary->trigger();
    };
    const auto toCustomCrop = [&] {
        realistic();
        main.mnuCustomCrop->trigger();
    };

    eachBoxAlone("pneMain", main.pneMain(), toMain, QString());
    eachBoxAlone("pneIrrigCosts", main.pneIrrigCosts(), toIrrigation, QStringLiteral("cmdCancel(0)"));
    eachBoxAlone("pneInputCosts", main.pneInputCosts(), toCosts, QStringLiteral("cmdCancel(1)"));

    // Every option of a realistic run and of the tied one, each saved, then the summary of them all.
    browseAll_ = true;
    step("realistic inputs", [&] { realistic(); });
    runAndBrowse("realistic inputs");
    step("every crop ticked", [&] {
        realistic();
        for (int i = 0; i < main.cropRowCount(); ++i)
            if (!main.cr(i)->chkCrop->isChecked()) {
                main.cr(i)->chkCrop->click();
                if (main.cr(i)->txtPrice->text().isEmpty())
                    main.cr(i)->txtPrice->setText(QStringLiteral("5"));
                if (main.cr(i)->txtMaxYield->text().isEmpty())
                    main.cr(i)->txtMaxYield->setText(QStringLiteral("100"));
            }
        pane().presetButtons[4]->setChecked(true);
    });
    runAndBrowse("every crop ticked");
    browseAll_ = false;

    customCropNames();
    reopenWithNonsense();
    typeIntoTheGrid();
    for (const QString& text : kNonsense + QStringList{QStringLiteral("150"), QStringLiteral("12.5")}) {
        customCropWith(text, false);
        customCropWith(text, true);
    }

    exercise("pneMain", main.pneMain(), toMain);
    exercise("pneInputCosts", main.pneInputCosts(), toCosts);
    exercise("pneIrrigCosts", main.pneIrrigCosts(), toIrrigation);
    exercise("pneResults", pneResults(main), toResults);
    exercise("pneDetails", pneDetails(main), toDetails);
    exercise("pneSummary", main.pneSummary(), toSummary);
    exercise("pneCustomCrop", main.pneCustomCrop(), toCustomCrop);

    // With trend processing on: the results pane gains its trend button, and the trend setup.
    step("enable trend processing", [&] {
        if (!main.mnuEnableBatch->isChecked())
            main.mnuEnableBatch->trigger();
    });
    ASSERT_TRUE(main.mnuEnableBatch->isChecked());
    // The menu pass switches trend processing on and off: these reaches switch it on first.
    const auto trendOn = [&] {
        if (!main.mnuEnableBatch->isChecked())
            main.mnuEnableBatch->trigger();
    };
    exercise("pneResults (trend)", pneResults(main), [&] {
        trendOn();
        toResults();
    });
    exercise("pneBatchSetup(0)", trendSetupPane(main), [&] {
        trendOn();
        realistic();
        main.mnuFallBatch->trigger();
    });
    exercise("pneBatchSetup(0) (fixed trend)", trendSetupPane(main), [&] {
        trendOn();
        toResults();
        if (auto* fixed = pneResults(main)->findChild<QAbstractButton*>(QStringLiteral("cmdBatchThis")))
            fixed->click();
    });
    exercise("pneBatchSetup(1)", trendResultsPane(main), [&] {
        trendOn();
        toResults();
        if (auto* fixed = pneResults(main)->findChild<QAbstractButton*>(QStringLiteral("cmdBatchThis")))
            fixed->click();
        TrendSetupPane& setup = *trendSetupPane(main);
        setup.optBatchVariable[0]->click();
        setup.optBatchOption[0]->click();
        setup.txtBatchMinimum[0]->setText(QStringLiteral("5"));
        setup.txtBatchMinimum[1]->setText(QStringLiteral("7"));
        setup.cmdBatchIt->click();
    });
    EXPECT_FALSE(printed_->documents.empty());
    const QRegularExpression bad(QStringLiteral("\\b(inf|nan|infinity)\\b"), QRegularExpression::CaseInsensitiveOption);
    for (const auto& document : printed_->documents)
        for (const auto& line : document)
            for (const auto& piece : line.pieces)
                EXPECT_FALSE(bad.match(piece.text).hasMatch()) << "printed \"" << piece.text.toStdString() << "\"";
    trendSweep(trendOn);
    std::cout << "[ monkey ] " << steps_ << " steps, " << printed_->documents.size() << " documents printed\n";
    if (qEnvironmentVariableIsSet("KORVEL_MONKEY_LOG")) {
        QStringList seen;
        for (const QString& t : boxes.texts())
            if (!seen.contains(t))
                seen << t;
        for (const QString& t : seen)
            std::cout << "[ box ] " << t.toStdString() << "\n";
    }
}

} // namespace
