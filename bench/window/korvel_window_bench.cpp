// The run button and a variable trend through the real main window, offscreen, on the shipped crop library:
// 640 acres in four fields, 12 gross inches at 85 %, 16 inches of rain, every crop ticked with the default
// values, factor 100.
//   korvel_window_bench [--repeat=N] [--trend-v=M] [--only=WINDOW-L|WINDOW-TREND-V|cancel]
// Prints
//   scenario=WINDOW-L ... time_s=<seconds>          from a click on "Command1" to the results pane shown
//   scenario=WINDOW-TREND-V ... time_s=<seconds>    a variable trend of M steps (50 unless --trend-v=M) on the
//                                                   price of the first crop, from "Generate Trend Output" to
//                                                   the trend results shown
// and, on standard error, how long Cancel takes to stop a run in which every allocation ties.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/Measure.h"
#include "model/BestMix.h"
#include "model/Crop.h"
#include "model/SessionState.h"
#include "model/TempFolder.h"
#include "trend/TrendController.h"
#include "trend/TrendPanes.h"
#include "trend/TrendSetupPane.h"
#include "trend/WindowAssembly.h"
#include "ui/main/CropRow.h"
#include "ui/main/MainPane.h"
#include "ui/main/MainWindow.h"
#include "ui/main/ProgressWindow.h"
#include "ui/platform/DialogService.h"
#include "ui/platform/MemoryPolicy.h"
#include "ui/results/ResultsPane.h"
#include "ui/results/ResultsPanes.h"

namespace {

using korvel::bench::Clock;
using korvel::bench::peakRssMb;
using korvel::bench::seconds;
using korvel::ui::MainWindow;

// Answers every box with OK or Yes and cancels every file and print dialog; tells what it was asked.
class SilentDialogs : public korvel::ui::DialogService {
public:
    SilentDialogs() { install(this); }
    ~SilentDialogs() override { install(nullptr); }
    korvel::ui::MsgAnswer message(QWidget*, const korvel::ui::MessageRequest& request) override
    {
        std::fprintf(stderr, "box: %s\n", request.text.toStdString().c_str());
        return request.buttons == korvel::ui::MsgButtons::Ok ? korvel::ui::MsgAnswer::Ok : korvel::ui::MsgAnswer::Yes;
    }
    std::optional<QString> openFile(QWidget*, const korvel::ui::FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(QWidget*, const korvel::ui::FileRequest&) override { return std::nullopt; }
    std::optional<int> printDialog(QWidget*, int) override { return std::nullopt; }
};

void copyShippedCrops(const std::filesystem::path& folder)
{
    namespace fs = std::filesystem;
    fs::create_directories(folder / "crops");
    fs::copy(fs::path(KORVEL_DATA_DIR) / "crops", folder / "crops", fs::copy_options::recursive);
}

struct Window {
    korvel::testing::TempFolder folder{"korvel-window-bench"};
    korvel::SessionState session;
    std::unique_ptr<MainWindow> main;

    Window()
    {
        copyShippedCrops(folder.path());
        main = std::make_unique<MainWindow>(
            korvel::ui::ProgramFolders::inOne(QString::fromStdString(folder.path().string())), session,
            korvel::ui::resultsAndTrendPanes());
        main->load();
        main->show();
        QApplication::processEvents();
        korvel::ui::MainPane& p = *main->pneMain();
        p.defaultsButton->click(); // "Load Default Values"
        p.txtArea->setText(QStringLiteral("640"));
        p.txtMax->setText(QStringLiteral("12"));
        p.txtEff->setText(QStringLiteral("85"));
        p.txtAnnRain->setEditText(QStringLiteral("16"));
        p.presetButtons[4]->setChecked(true); // "25 - 25 - 25 - 25"
        for (int i = 0; i < main->cropRowCount(); ++i)
            main->cr(i)->chkCrop->setChecked(true);
        session.SplitFactor = 100;
        QApplication::processEvents();
    }

    // Every crop without price or yield: every allocation ties and nothing can be passed over.
    void tieEverything()
    {
        for (int i = 0; i < main->cropRowCount(); ++i) {
            main->cr(i)->txtPrice->setText(QStringLiteral("0"));
            main->cr(i)->txtMaxYield->setText(QStringLiteral("0"));
            main->cr(i)->crop()->inputCosts = korvel::inputCosts(); // no production costs either
        }
        main->state().tempIrrigationCosts->active = false;
    }
};

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void windowRun(int repeat)
{
    Window w;
    korvel::ui::MainPane& p = *w.main->pneMain();
    std::vector<double> times;
    bool shown = false;
    for (int r = 0; r < repeat; ++r) {
        w.main->ShowPane(w.main->pneMain());
        QApplication::processEvents();
        const auto t0 = Clock::now();
        p.runButton->click();
        QApplication::processEvents(); // the results pane painted
        times.push_back(seconds(t0, Clock::now()));
        shown = !korvel::ui::ResultsPanes::of(*w.main)->pneResults()->isHidden();
    }
    std::printf("scenario=WINDOW-L fields=4 factor=100 crops=%d time_s=%.6f reference_s=skipped ratio=skipped "
                "results_shown=%s peak_rss_mb=%.1f\n",
                w.main->cropRowCount(), median(times), shown ? "yes" : "no", peakRssMb());
}

void windowVariableTrend(int repeat, int steps)
{
    Window w;
    w.main->EnableBatch(true);
    korvel::ui::TrendSetupPane& setup = *korvel::ui::TrendPanes::of(*w.main)->trendSetupPane();
    QString values;
    for (int i = 0; i < steps; ++i)
        values += (i ? QStringLiteral(", ") : QString()) + QString::number(3.0 + 0.05 * i);
    std::vector<double> times;
    std::size_t lists = 0;
    for (int r = 0; r < repeat; ++r) {
        w.main->mnuFallBatch->trigger();
        setup.optBatchVariable[0]->click(); // price of the first crop
        setup.txtBatchList->setText(values);
        QApplication::processEvents();
        const auto t0 = Clock::now();
        setup.cmdBatchIt->click();
        QApplication::processEvents();
        times.push_back(seconds(t0, Clock::now()));
        lists = setup.trend().BatchCollection.size();
        setup.backButton->click(); // Back
        QApplication::processEvents();
    }
    std::printf("scenario=WINDOW-TREND-V fields=4 factor=100 crops=%d steps=%d lists=%zu time_s=%.6f "
                "reference_s=skipped ratio=skipped peak_rss_mb=%.1f\n",
                w.main->cropRowCount(), steps, lists, median(times), peakRssMb());
}

// Presses Cancel once the bar has moved (the search has cleared the flag it starts with) and tells how long
// the run button then takes to return.
void windowCancel()
{
    Window w;
    w.tieEverything();
    Clock::time_point pressed{};
    QTimer watch;
    watch.setInterval(0);
    korvel::ui::ProgressWindow* watched = nullptr;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        korvel::ui::ProgressWindow* progress = w.main->progressWindow();
        if (!w.main->searchRunning() || !progress || progress == watched)
            return;
        watched = progress;
        QPushButton* cancel = progress->findChild<QPushButton*>(QStringLiteral("Command1"));
        QObject::connect(progress->findChild<QProgressBar*>(), &QProgressBar::valueChanged, cancel,
                         [&pressed, cancel](int value) {
                             if (value > 0 && pressed == Clock::time_point{}) {
                                 pressed = Clock::now();
                                 cancel->click();
                             }
                         });
    });
    watch.start();
    const auto t0 = Clock::now();
    w.main->pneMain()->runButton->click();
    const auto t1 = Clock::now();
    std::fprintf(stderr,
                 "cancel: window, factor 100, nothing prunable: %s, %.1f ms from Cancel to return (%.1f ms in all)\n",
                 korvel::ui::ResultsPanes::of(*w.main)->pneResults()->isHidden() ? "cancelled" : "NOT cancelled",
                 pressed == Clock::time_point{} ? -1.0 : 1000.0 * seconds(pressed, t1), 1000.0 * seconds(t0, t1));
}

// The offscreen platform says so each time the progress window is put on top; nothing else is dropped.
void quietPlatform(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int repeat = 5, steps = 50;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--repeat=", 0) == 0)
            repeat = std::max(1, std::atoi(arg.c_str() + 9));
        else if (arg.rfind("--trend-v=", 0) == 0)
            steps = std::max(1, std::atoi(arg.c_str() + 10));
        else if (arg.rfind("--only=", 0) == 0)
            only = arg.substr(7);
        else {
            std::fprintf(stderr, "usage: %s [--repeat=N] [--trend-v=M] [--only=WINDOW-L|WINDOW-TREND-V|cancel]\n",
                         argv[0]);
            return 2;
        }
    }
    korvel::ui::keepFreedMemoryForReuse(); // as the program starts
    qInstallMessageHandler(quietPlatform);
    QApplication app(argc, argv);
    SilentDialogs dialogs;
    if (only.empty() || only == "WINDOW-L")
        windowRun(repeat);
    if (only.empty() || only == "WINDOW-TREND-V")
        windowVariableTrend(1, steps);
    if (only.empty() || only == "cancel")
        windowCancel();
    return 0;
}
