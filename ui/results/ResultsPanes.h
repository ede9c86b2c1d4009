#pragma once
// The results layer of the main window: the results pane "pneResults", the details pane "pneDetails" and the
// report printer thePrinter. addTo creates them when the window builds its panes, registers them and
// installs the window's results hooks (the run button's results, the trend switch, File > Print). The
// object is a child of the window and goes with it.
#include <QObject>
#include <functional>
#include <memory>

namespace korvel::ui {

class DetailsPane;
class PaneHost;
class PaneRegistry;
class ResultPrinter;
class ResultsPane;

class ResultsPanes : public QObject {
    Q_OBJECT
public:
    static ResultsPanes& addTo(PaneRegistry& registry);
    // The results layer of a window built with it, nullptr when the window has none.
    static ResultsPanes* of(const QObject& window);
    ~ResultsPanes() override;

    PaneHost& host() const { return host_; }
    ResultsPane* pneResults() const { return pneResults_; }
    DetailsPane* pneDetails() const { return pneDetails_; }
    // The report printer, created on first use: the results report of the last run and the details report.
    ResultPrinter& thePrinter();

    // How the result views reach the trend panes (installed by the trend layer; unset ones do nothing).
    struct TrendLinks {
        std::function<void()> showTrendSetup;   // Back during a trend: the trend setup pane
        std::function<void()> showTrendResults; // Back from the details of a trend option: the trend results
    };
    TrendLinks trendLinks;

private:
    ResultsPanes(PaneRegistry& registry);

    PaneHost& host_;
    ResultsPane* pneResults_ = nullptr;
    DetailsPane* pneDetails_ = nullptr;
    std::unique_ptr<ResultPrinter> thePrinter_;
};

} // namespace korvel::ui
