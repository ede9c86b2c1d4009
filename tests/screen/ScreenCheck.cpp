// Opens each of the program's windows in turn on a real display with a window manager and checks that each
// opens with its whole frame (title bar included) on the screen's available area; the pop-up help must also
// open beside its "?" button. Each pane checked (main, summary, irrigation costs, production costs of a grain
// and of a forage crop, field details, custom crops) must open scrolled to its top left, after another pane was
// scrolled away, with every button, box and tick box within the window's width, so that vertical scrolling
// alone reaches each, and every box and list showing its whole text (the cost panes with the crop's default
// values, the main pane and its crop rows also with the largest values they take). Prints what it measured, one line a
// window; ends with status 1 when a window is off the area (or never framed), or a pane's control lies beyond the sides
// or shows only part of its text, and 0 otherwise.
//
//     korvel_screen_check <program folder> [<folder for pictures>]
//
// Run under a window manager (tests/screen/on-virtual-screen.sh starts one on a virtual screen of the size
// asked for); QT_SCALE_FACTOR scales everything as it does for the program.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextStream>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <functional>
#include <vector>

#include "model/FieldCollection.h"
#include "model/SessionState.h"
#include "screen/WholeText.h"
#include "trend/WindowAssembly.h"
#include "ui/main/AboutWindow.h"
#include "ui/main/CropRow.h"
#include "ui/main/CustomCropPane.h"
#include "ui/main/HelpScreen.h"
#include "ui/main/HelpTopics.h"
#include "ui/main/IrrigationCostPane.h"
#include "ui/main/MainPane.h"
#include "ui/main/MainWindow.h"
#include "ui/main/OptionsWindow.h"
#include "ui/main/ProductionCostPane.h"
#include "ui/main/ProgressWindow.h"
#include "ui/main/SummaryPane.h"
#include "ui/main/WelcomeWindow.h"
#include "ui/platform/ButtonKeys.h"
#include "ui/platform/HelpBrowser.h"
#include "ui/platform/ProgramFolders.h"
#include "ui/platform/ShowCentred.h"
#include "ui/results/DetailsPane.h"
#include "ui/results/ResultsPanes.h"

using namespace korvel::ui;

namespace {

void wait(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

// How long a window may take to be framed and placed. A busy machine may take seconds where an idle one takes a
// few milliseconds; only a window that is never framed, or never placed where it belongs, waits this long. Once a
// window was never framed, the window manager is gone or stuck: the windows after it wait a few seconds only.
constexpr qint64 kFramingMargin = 60000;
constexpr qint64 kMarginWithoutWindowManager = 4000;

bool isFramed(const QWidget* window)
{
    return window->windowFlags().testFlag(Qt::FramelessWindowHint) ||
           (window->windowHandle() && !window->windowHandle()->frameMargins().isNull());
}

// Waits until the window manager has framed the window and the window has stopped moving where `placed` finds it
// well placed, at most `margin` ms; true when the window is framed by then, wherever it stands.
bool waitUntilFramed(QWidget* window, const std::function<bool()>& placed, qint64 margin)
{
    QElapsedTimer clock;
    clock.start();
    QRect last;
    qint64 steadySince = 0;
    while (clock.elapsed() < margin) {
        wait(50);
        const QRect now = window->windowHandle() ? window->windowHandle()->frameGeometry() : QRect();
        if (!isFramed(window) || now != last) {
            last = now;
            steadySince = clock.elapsed();
        } else if (clock.elapsed() - steadySince >= 400 && placed()) {
            return true;
        }
    }
    return isFramed(window);
}

QString text(const QRect& r)
{
    return QStringLiteral("%1x%2%3%4%5%6")
        .arg(r.width())
        .arg(r.height())
        .arg(r.x() < 0 ? "" : "+")
        .arg(r.x())
        .arg(r.y() < 0 ? "" : "+")
        .arg(r.y());
}

// Saved options of seven fields in all, for the summary table.
std::vector<std::shared_ptr<korvel::FieldCollection>> sevenFields()
{
    std::vector<std::shared_ptr<korvel::FieldCollection>> options;
    int fields = 0;
    for (const int count : {2, 1, 3, 1}) {
        auto option = std::make_shared<korvel::FieldCollection>();
        for (int i = 0; i < count; ++i, ++fields) {
            auto crop = std::make_shared<korvel::Crop>();
            crop->cropType = fields % 2 ? "Wheat" : "Corn";
            crop->cropUnitsArray = {"bu.", "bu.s"};
            crop->price = 8;
            crop->Yield = 180;
            auto field = std::make_shared<korvel::Field>();
            field->acres = 40;
            field->Depth = 9;
            field->theCrop = crop;
            field->annualRain = 16;
            option->Add(field);
        }
        options.push_back(option);
    }
    return options;
}

struct Checked {
    QString name;
    std::function<QWidget*()> open;
};

// A pane's controls that lie (wholly or in part) beyond the left or right side of the window's pane area, that
// a layout squeezed below their least height or that show only part of their text, and the scroll bars'
// positions when it opened: "" when the pane opened at its top left with every control whole within the sides.
QString controlsOffTheSides(QWidget* pane, QScrollArea* scroller)
{
    QStringList problems;
    if (scroller->horizontalScrollBar()->value() != 0 || scroller->verticalScrollBar()->value() != 0)
        problems << QStringLiteral("opened scrolled to %1,%2")
                        .arg(scroller->horizontalScrollBar()->value())
                        .arg(scroller->verticalScrollBar()->value());
    const QWidget* viewport = scroller->viewport();
    for (QWidget* control : pane->findChildren<QWidget*>()) {
        if (!control->isVisibleTo(pane) || !(qobject_cast<QAbstractButton*>(control) ||
                                             qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control)))
            continue;
        if (const QString cut = korvel::ui::test::cutText(*control); !cut.isEmpty())
            problems << cut;
        // (Only where a layout places it: the panes drawn to their design place some controls smaller.)
        if (control->parentWidget()->layout() && control->height() < control->minimumSizeHint().height())
            problems << QStringLiteral("%1 squeezed").arg(control->objectName());
        const int left = control->mapTo(viewport, QPoint(0, 0)).x();
        if (left < 0 || left + control->width() > viewport->width())
            problems << QStringLiteral("%1 at %2..%3")
                            .arg(control->objectName().isEmpty() ? QStringLiteral("(unnamed)") : control->objectName())
                            .arg(left)
                            .arg(left + control->width());
    }
    return problems.join(QStringLiteral(", "));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: korvel_screen_check <data folder> [<folder for pictures>]\n", stderr);
        return 2;
    }
    installWindowPlacement();
    installButtonKeys();
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString pictures = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (!pictures.isEmpty())
        QDir().mkpath(pictures);
    HelpTopics::setDataFolder(folder);
    korvel::SessionState session;

    // The user's files go to the user's data folder, which the test gives a temporary XDG_DATA_HOME.
    QApplication::setApplicationName(QStringLiteral("Korvel"));
    auto* welcome = new WelcomeWindow(ProgramFolders{folder, userDataFolder()}, session, resultsAndTrendPanes());
    MainWindow* main = nullptr;
    const QWidget* helpButton = nullptr;
    // The crop row's "Costs/Returns" of a library crop, then its default values into the boxes, as the user opens
    // them.
    const auto openCosts = [&](const char* crop) {
        for (int i = 0; i < main->cropRowCount(); ++i) {
            if (main->cr(i)->crop()->cropType == crop) {
                if (!main->cr(i)->chkCrop->isChecked())
                    main->cr(i)->chkCrop->click();
                main->cr(i)->cmdInputCosts->click();
                main->pneInputCosts()->loadDefaults();
            }
        }
    };
    std::vector<Checked> windows = {
        {"welcome",
         [&]() -> QWidget* {
             welcome->show();
             return welcome;
         }},
        {"main",
         [&]() -> QWidget* {
             welcome->startKorvel();
             main = welcome->mainWindow();
             return main;
         }},
        {"summary",
         [&]() -> QWidget* {
             session.IrrigationEfficiency = 0.85;
             main->state().summaryResults = sevenFields();
             main->mnuSummary->trigger();
             return main;
         }},
        {"options", [&]() -> QWidget* { return OptionsWindow::showOptions(session, main); }},
        {"about", [&]() -> QWidget* { return AboutWindow::showAbout(main); }},
        {"progress",
         [&]() -> QWidget* {
             auto* progress = new ProgressWindow(session, main);
             progress->setTitle(QStringLiteral("Evaluating Possible Combinations"));
             return progress;
         }},
        {"message box",
         [&]() -> QWidget* {
             auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Korvel"),
                                         QStringLiteral("A message over the main window."), QMessageBox::Ok, main);
             box->show();
             return box;
         }},
        {"help browser", [&]() -> QWidget* { return HelpTopics::ShowHelp(QStringLiteral("index.htm")); }},
        {"irrigation costs",
         [&]() -> QWidget* {
             main->pneIrrigCosts()->open();
             return main;
         }},
        {"production costs",
         [&]() -> QWidget* {
             openCosts("Corn");
             return main;
         }},
        {"production costs of a forage crop",
         [&]() -> QWidget* {
             openCosts("Alfalfa");
             return main;
         }},
        {"field details",
         [&]() -> QWidget* {
             auto field = sevenFields().front()->Item(1);
             ResultsPanes* panes = ResultsPanes::of(*main);
             main->ShowPane(panes->pneDetails());
             panes->pneDetails()->loadCosts(*field);
             return main;
         }},
        {"custom crops",
         [&]() -> QWidget* {
             main->pneCustomCrop()->open();
             return main;
         }},
        {"main with the largest values",
         [&]() -> QWidget* {
             main->ShowPane(main->pneMain());
             MainPane* pane = main->pneMain();
             pane->txtArea->setText(QStringLiteral("1,000,000"));
             pane->txtMax->setText(QStringLiteral("200"));
             pane->txtEff->setText(QStringLiteral("100"));
             for (int i = 0; i < main->cropRowCount(); ++i) {
                 CropRow* row = main->cr(i);
                 if (!row->chkCrop->isChecked())
                     row->chkCrop->click();
                 row->crop()->price = 100000;
                 row->crop()->maxYield = 1000000;
                 row->refresh();
             }
             return main;
         }},
        {"pop-up help",
         [&]() -> QWidget* {
             main->pneCustomCrop()->open();
             auto* button = main->findChild<QPushButton*>(QStringLiteral("cmdHelp(27)"));
             helpButton = button;
             wait(200);
             button->click();
             return HelpTopics::helpScreen();
         }},
    };

    // The main pane first, scrolled to its bottom right: each pane opened from it must still open at its top left.
    const auto scrolledAway = [&] {
        main->ShowPane(main->pneMain()); // where the panes checked are opened from
        wait(100);
        auto* scroller = main->findChild<QScrollArea*>(QStringLiteral("paneScroller"));
        scroller->horizontalScrollBar()->setValue(scroller->horizontalScrollBar()->maximum());
        scroller->verticalScrollBar()->setValue(scroller->verticalScrollBar()->maximum());
    };
    // The pane of the main window that a check shows, if any.
    const auto shownPane = [&](const QString& name) -> QWidget* {
        if (!main)
            return nullptr;
        if (name.startsWith(QLatin1String("main")))
            return main->pneMain();
        if (name == QLatin1String("summary"))
            return main->pneSummary();
        if (name == QLatin1String("irrigation costs"))
            return main->pneIrrigCosts();
        if (name.startsWith(QLatin1String("production costs")))
            return main->pneInputCosts();
        if (name == QLatin1String("field details"))
            return ResultsPanes::of(*main)->pneDetails();
        if (name == QLatin1String("custom crops"))
            return main->pneCustomCrop();
        return nullptr;
    };
    for (Checked& w : windows) {
        static const QStringList scrolledFirst{"summary",          "irrigation costs",
                                               "production costs", "production costs of a forage crop",
                                               "field details",    "custom crops"};
        if (!scrolledFirst.contains(w.name))
            continue;
        const auto open = w.open;
        w.open = [open, scrolledAway] {
            scrolledAway();
            return open();
        };
    }

    int failures = 0;
    QTextStream out(stdout);
    QScreen* screen = QGuiApplication::primaryScreen();
    out << "screen " << text(screen->geometry()) << " available " << text(screen->availableGeometry()) << " scale "
        << qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")) << "\n";
    qint64 margin = kFramingMargin;
    for (Checked& w : windows) {
        QWidget* window = w.open();
        if (!window) {
            out << w.name << ": not opened\n";
            ++failures;
            continue;
        }
        // The window system's frame (QWidget::frameGeometry may lag behind it), on the screen's available area; the
        // pop-up help beside its button as well.
        const auto frame = [window] {
            return window->windowHandle() ? window->windowHandle()->frameGeometry() : QRect();
        };
        const QRect area = window->screen()->availableGeometry();
        const auto besideItsButton = [&] {
            if (w.name != QLatin1String("pop-up help") || !helpButton)
                return true;
            const QRect anchor(helpButton->mapToGlobal(QPoint(0, 0)), helpButton->size());
            const int gap =
                frame().left() > anchor.right() ? frame().left() - anchor.right() : anchor.left() - frame().right();
            return gap > 0 && gap <= 10;
        };
        const auto placed = [&] { return area.contains(frame()) && besideItsButton(); };
        const bool framed = waitUntilFramed(window, placed, margin);
        if (!framed)
            margin = kMarginWithoutWindowManager;
        bool ok = framed && placed();
        out << w.name << ": frame " << text(frame()) << " client " << text(window->geometry()) << " in " << text(area);
        if (w.name == QLatin1String("pop-up help") && helpButton)
            out << " button " << text(QRect(helpButton->mapToGlobal(QPoint(0, 0)), helpButton->size()));
        if (w.name == QLatin1String("summary")) {
            // The grid lies wholly on the screen, and the last field's Net Return, in the last row, shows whole in
            // it; only where the screen has no room for it may the grid's own scroll bars reach it.
            auto* grid = main->findChild<QTableWidget*>(QStringLiteral("fgsummary"));
            const QRect netReturn = grid->visualItemRect(grid->item(11, grid->columnCount() - 1));
            const bool whole = grid->viewport()->rect().contains(netReturn);
            const bool scrolls = grid->horizontalScrollBar()->isVisible() || grid->verticalScrollBar()->isVisible();
            const QRect gridOnScreen(grid->mapToGlobal(QPoint(0, 0)), grid->size());
            out << " grid " << text(gridOnScreen)
                << (whole     ? " (Net Return whole)"
                    : scrolls ? " (Net Return by the grid's scroll bars)"
                              : " NET RETURN CUT OFF");
            ok = ok && (whole || scrolls) && area.contains(gridOnScreen);
            // Where the window has its designed size there is room: nothing is left to the scroll bars.
            if (qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")) == QLatin1String("1"))
                ok = ok && whole;
        }
        bool controlsOff = false;
        if (QWidget* pane = shownPane(w.name)) {
            wait(200);
            auto* scroller = main->findChild<QScrollArea*>(QStringLiteral("paneScroller"));
            const QString off = controlsOffTheSides(pane, scroller);
            out << " pane " << text(QRect(pane->mapToGlobal(QPoint(0, 0)), pane->size()));
            if (!off.isEmpty()) {
                out << " MISPLACED: " << off;
                controlsOff = true;
            }
        }
        out << (controlsOff ? "" : ok ? "  ok" : framed ? "  OFF THE AREA" : "  NEVER FRAMED") << "\n";
        ok = ok && !controlsOff;
        out.flush();
        failures += ok ? 0 : 1;
        if (!pictures.isEmpty()) {
            const QString picture = QDir(pictures).filePath(QString(w.name).replace(' ', '-'));
            screen->grabWindow(0).save(picture + QStringLiteral(".png"));
            // A pane taller than the window: its bottom too, scrolled to.
            auto* scroller = main ? main->findChild<QScrollArea*>(QStringLiteral("paneScroller")) : nullptr;
            if (scroller && window == main && scroller->verticalScrollBar()->maximum() > 0) {
                scroller->verticalScrollBar()->setValue(scroller->verticalScrollBar()->maximum());
                wait(200);
                screen->grabWindow(0).save(picture + QStringLiteral("-bottom.png"));
            }
        }
        if (window != main && window != welcome)
            window->close();
    }
    if (main)
        main->close();
    return failures == 0 ? 0 : 1;
}
