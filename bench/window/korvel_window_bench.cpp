// The run button and a variable trend through the real main window, offscreen, on the shipped crop library:
// 640 acres in four fields, 12 gross inches at 85 %, 16 inches of rain, every crop ticked with the default
// values, factor 100.
//   korvel_window_bench [--repeat=N] [--trend-v=M] [--only=WINDOW-L|WINDOW-TREND-V|cancel|TREND-CANCEL]
// Prints
//   scenario=WINDOW-L ... time_s=<seconds>          from a click on "Command1" to the results pane shown
//   scenario=WINDOW-TREND-V ... time_s=<seconds>    a variable trend of M steps (50 unless --trend-v=M) on the
//                                                   price of the first crop, from "Generate Trend Output" to
//                                                   the trend results shown
//   scenario=TREND-CANCEL-V ... max_ms=<ms>         Cancel pressed at moments spread over a 50-step variable
//   scenario=TREND-CANCEL-F ... max_ms=<ms>         trend and over a fixed trend of 181 x 181 values: how many
//                                                   tries stopped the trend, the progress windows each trend
//                                                   opened, the longest and median time from the press to the
//                                                   end of the trend, and the longest stretch of a whole trend
//                                                   in which its progress window let no message run (the
//                                                   longest a press can wait); the target is 50 ms
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
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/Measure.h"
#include "model/BestMix.h"
#include "model/Crop.h"
#include "model/SessionState.h"
#include "model/TempFolder.h"
#include "trend/TrendController.h"
#include "trend/TrendPanes.h"
#include "trend/TrendResultsPane.h"
#include "trend/TrendSetupPane.h"
#include "trend/WindowAssembly.h"
#include "ui/main/CropRow.h"
#include "ui/main/MainPane.h"
#include "ui/main/MainWindow.h"
#include "ui/main/ProgressWindow.h"
#include "ui/platform/DialogService.h"
#include "ui/platform/MemoryPolicy.h"
#include "ui/results/OptionBrowser.h"
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

// The values of a variable trend on a crop's price: `steps` prices from $3.00 up, 5 cents apart.
QString priceSteps(int steps)
{
    QString values;
    for (int i = 0; i < steps; ++i)
        values += (i ? QStringLiteral(", ") : QString()) + QString::number(3.0 + 0.05 * i);
    return values;
}

void windowVariableTrend(int repeat, int steps)
{
    Window w;
    w.main->EnableBatch(true);
    korvel::ui::TrendSetupPane& setup = *korvel::ui::TrendPanes::of(*w.main)->trendSetupPane();
    const QString values = priceSteps(steps);
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

// --- Cancel during a trend, pressed as a user presses it ----------------------------------------------------------

// Counts the progress windows a trend shows.
class ShownWindows : public QObject {
public:
    ShownWindows() { qApp->installEventFilter(this); }
    ~ShownWindows() override { qApp->removeEventFilter(this); }
    int count() const { return count_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<korvel::ui::ProgressWindow*>(watched) != nullptr &&
            !watched->property(mark_).toBool()) {
            watched->setProperty(mark_, true);
            ++count_;
        }
        return false;
    }

private:
    int count_ = 0;
    QByteArray mark_ = "benchShown" + QByteArray::number(reinterpret_cast<quintptr>(this));
};

// The Cancel button of the progress window on the screen, if any.
QPushButton* shownCancel(QWidget& main)
{
    for (auto* progress : main.findChildren<korvel::ui::ProgressWindow*>())
        if (progress->isVisible())
            return progress->findChild<QPushButton*>(QStringLiteral("Command1"));
    return nullptr;
}

struct CancelTry {
    bool pressed = false; // a progress window was showing when the click came, and its Cancel was clicked
    bool stopped = false; // the trend ended without results
    double ms = -1;       // from the press to the end of the trend
    int windows = 0;      // progress windows shown during the trend
    double trendMs = 0;   // from "Generate Trend Output" to the end of the trend
};

// Runs `generate` (the click on "Generate Trend Output", which returns when the trend has ended) while another
// thread waits `delay` and then puts a click on Cancel into the window's queue, as the window system does with a
// user's click: the window answers it the next time it lets messages run.
CancelTry cancelAfter(MainWindow& main, std::chrono::microseconds delay, const std::function<void()>& generate,
                      const std::function<bool()>& stopped)
{
    std::atomic<bool> ended{false};
    std::atomic<bool> posted{false};
    const auto pressed = std::make_shared<bool>(false);
    Clock::time_point postedAt{};
    std::thread presser([&] {
        const auto until = Clock::now() + delay;
        while (Clock::now() < until)
            if (ended.load())
                return;
            else
                std::this_thread::sleep_for(std::chrono::microseconds(100));
        postedAt = Clock::now();
        posted.store(true);
        QMetaObject::invokeMethod(
            &main,
            [&main, pressed] {
                if (QPushButton* cancel = shownCancel(main)) {
                    *pressed = true;
                    cancel->click();
                }
            },
            Qt::QueuedConnection);
    });
    CancelTry result;
    {
        ShownWindows windows;
        const auto started = Clock::now();
        generate();
        const auto end = Clock::now();
        ended.store(true);
        presser.join();
        result.windows = windows.count();
        result.trendMs = 1000.0 * seconds(started, end);
        if (posted.load())
            result.ms = 1000.0 * seconds(postedAt, end);
    }
    QApplication::processEvents(); // a press that came after the end
    result.pressed = *pressed;
    result.stopped = stopped();
    return result;
}

struct WholeTrend {
    double seconds = 0;      // the shorter of two whole runs
    double unansweredMs = 0; // the longest stretch of either in which a progress window showed and let no message run
};

void reportCancels(const char* scenario, const std::string& size, const std::vector<CancelTry>& tries,
                   const WholeTrend& full)
{
    int pressed = 0, stopped = 0, windowsMax = 0;
    std::vector<double> times;
    for (const CancelTry& t : tries) {
        pressed += t.pressed ? 1 : 0;
        stopped += t.stopped ? 1 : 0;
        windowsMax = std::max(windowsMax, t.windows);
        if (t.stopped && t.ms >= 0)
            times.push_back(t.ms);
    }
    // A try whose moment came after the progress window had closed (the trend computed, its results being shown)
    // finds no Cancel to press: it counts in tries, not in pressed.
    std::printf("scenario=%s %s full_trend_s=%.3f longest_unanswered_ms=%.1f tries=%zu pressed=%d stopped=%d "
                "progress_windows_per_trend=%d max_ms=%.1f median_ms=%.1f target_ms=50\n",
                scenario, size.c_str(), full.seconds, full.unansweredMs, tries.size(), pressed, stopped, windowsMax,
                times.empty() ? -1.0 : *std::max_element(times.begin(), times.end()),
                times.empty() ? -1.0 : median(times));
    for (std::size_t i = 0; i < tries.size(); ++i)
        std::fprintf(stderr, "  %s try %zu: %s, %.1f ms from Cancel to the end, %.1f ms in all, %d progress windows\n",
                     scenario, i + 1,
                     !tries[i].pressed  ? "no progress window left to press"
                     : tries[i].stopped ? "stopped"
                                        : "NOT stopped",
                     tries[i].ms, tries[i].trendMs, tries[i].windows);
}

// Presses at `tries` moments spread evenly over the first three quarters of a trend that takes `full` seconds
// (the shorter of two whole runs: a loaded machine makes some runs much longer).
std::vector<std::chrono::microseconds> pressMoments(double full, int tries)
{
    std::vector<std::chrono::microseconds> out;
    out.reserve(static_cast<std::size_t>(tries));
    for (int i = 0; i < tries; ++i)
        out.emplace_back(static_cast<long long>(1e6 * full * (0.02 + 0.73 * i / std::max(1, tries - 1))));
    return out;
}

// The longest stretch in which a progress window is on the screen and the window lets no message run: a timer
// fires whenever messages run, and a progress window's hiding ends a stretch.
class UnansweredStretches : public QObject {
public:
    explicit UnansweredStretches(QWidget& main) : main_(main)
    {
        tick_.setInterval(0);
        connect(&tick_, &QTimer::timeout, this, [this] { mark(shownCancel(main_) != nullptr); });
        qApp->installEventFilter(this);
        tick_.start();
    }
    ~UnansweredStretches() override { qApp->removeEventFilter(this); }
    double longestMs() const { return longestMs_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && qobject_cast<korvel::ui::ProgressWindow*>(watched) != nullptr)
            mark(false);
        return false;
    }

private:
    // Messages ran (or a progress window went) now; `showing`: a progress window is on the screen.
    void mark(bool showing)
    {
        const auto now = Clock::now();
        if (last_ != Clock::time_point{})
            longestMs_ = std::max(longestMs_, 1000.0 * seconds(last_, now));
        last_ = showing ? now : Clock::time_point{};
    }

    QWidget& main_;
    QTimer tick_;
    Clock::time_point last_{};
    double longestMs_ = 0;
};

// Two whole runs of `generate`; `between` makes ready for the second.
WholeTrend wholeTrend(QWidget& main, const std::function<void()>& generate, const std::function<void()>& between)
{
    WholeTrend whole;
    for (int run = 0; run < 2; ++run) {
        if (run > 0)
            between();
        UnansweredStretches stretches(main);
        const auto t0 = Clock::now();
        generate();
        const double took = seconds(t0, Clock::now());
        whole.seconds = run == 0 ? took : std::min(whole.seconds, took);
        whole.unansweredMs = std::max(whole.unansweredMs, stretches.longestMs());
    }
    return whole;
}

void variableTrendCancel(int steps, int tries)
{
    Window w;
    w.main->EnableBatch(true);
    korvel::ui::TrendSetupPane& setup = *korvel::ui::TrendPanes::of(*w.main)->trendSetupPane();
    const QString values = priceSteps(steps);
    const auto openSetup = [&] {
        w.main->mnuFallBatch->trigger();
        setup.optBatchVariable[0]->click(); // price of the first crop
        setup.txtBatchList->setText(values);
        QApplication::processEvents();
    };
    const auto generate = [&] { setup.cmdBatchIt->click(); };
    const auto stopped = [&] {
        return !setup.isHidden() && korvel::ui::TrendPanes::of(*w.main)->trendResultsPane()->isHidden();
    };

    openSetup();
    const WholeTrend full = wholeTrend(*w.main, generate, [&] {
        setup.backButton->click();
        openSetup();
    });
    setup.backButton->click();
    QApplication::processEvents();

    std::vector<CancelTry> results;
    for (const auto delay : pressMoments(full.seconds, tries)) {
        openSetup();
        results.push_back(cancelAfter(*w.main, delay, generate, stopped));
        setup.backButton->click(); // Back, from the setup or from behind the trend results
        QApplication::processEvents();
    }
    reportCancels("TREND-CANCEL-V", "fields=4 factor=100 steps=" + std::to_string(steps), results, full);
}

void fixedTrendCancel(int values, int tries)
{
    Window w;
    w.main->EnableBatch(true);
    w.main->pneMain()->runButton->click();
    korvel::ui::TrendPanes& trend = *korvel::ui::TrendPanes::of(*w.main);
    korvel::ui::TrendSetupPane& setup = *trend.trendSetupPane();
    korvel::ui::OptionBrowser& browser = *korvel::ui::ResultsPanes::of(*w.main)->pneResults()->theResults();
    const auto list = [values](double first, double step) {
        QString out;
        for (int i = 0; i < values; ++i)
            out += (i ? QStringLiteral(", ") : QString()) + QString::number(first + step * i);
        return out;
    };
    const auto openSetup = [&] {
        w.main->ShowPane(korvel::ui::ResultsPanes::of(*w.main)->pneResults());
        browser.findChild<QPushButton*>(QStringLiteral("cmdBatchThis"))->click(); // "Run a Fixed Trend on this Option"
        setup.optBatchVariable[0]->click();
        setup.txtBatchList->setText(list(2.0, 0.05)); // the crop's price
        setup.cmdAddBatchProcess->click();
        setup.optBatchVariable[4]->click();
        setup.txtBatchList->setText(list(1.0, 0.05)); // the irrigation costs
        QApplication::processEvents();
    };
    const auto generate = [&] { setup.cmdBatchIt->click(); };
    const auto stopped = [&] { return !setup.isHidden() && trend.trendResultsPane()->isHidden(); };

    openSetup();
    const WholeTrend full = wholeTrend(*w.main, generate, openSetup);
    if (stopped())
        std::fprintf(stderr, "the fixed trend did not complete\n");

    std::vector<CancelTry> results;
    for (const auto delay : pressMoments(full.seconds, tries)) {
        openSetup();
        results.push_back(cancelAfter(*w.main, delay, generate, stopped));
    }
    reportCancels("TREND-CANCEL-F", "values=" + std::to_string(values) + "x" + std::to_string(values), results, full);
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
            std::fprintf(stderr,
                         "usage: %s [--repeat=N] [--trend-v=M] [--only=WINDOW-L|WINDOW-TREND-V|cancel|TREND-CANCEL]\n",
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
    if (only.empty() || only == "TREND-CANCEL") {
        variableTrendCancel(50, 8);
        fixedTrendCancel(181, 8);
    }
    return 0;
}
