#pragma once
// The whole main window for the window tests: the fixture's windows get the results and trend panes
// (AssembledWindow.cpp), and these reach them (in korvel::ui, so that a call on a window finds them).
#include "trend/TrendPanes.h"
#include "trend/TrendResultsPane.h"
#include "trend/TrendSetupPane.h"
#include "ui/MainWindowFixture.h"
#include "ui/main/MainWindow.h"
#include "ui/results/DetailsPane.h"
#include "ui/results/ResultPrinter.h"
#include "ui/results/ResultsPane.h"
#include "ui/results/ResultsPanes.h"

namespace korvel::ui {

inline ResultsPanes& resultsPanes(const MainWindow& w)
{
    ResultsPanes* panes = ResultsPanes::of(w);
    EXPECT_NE(panes, nullptr) << "the window has its results panes";
    return *panes;
}

inline TrendPanes& trendPanes(const MainWindow& w)
{
    TrendPanes* panes = TrendPanes::of(w);
    EXPECT_NE(panes, nullptr) << "the window has its trend panes";
    return *panes;
}

inline ResultsPane* pneResults(const MainWindow& w)
{
    return resultsPanes(w).pneResults();
}
inline DetailsPane* pneDetails(const MainWindow& w)
{
    return resultsPanes(w).pneDetails();
}
inline ResultPrinter& thePrinter(const MainWindow& w)
{
    return resultsPanes(w).thePrinter();
}
// "pneBatchSetup(0)" and "pneBatchSetup(1)".
inline TrendSetupPane* trendSetupPane(const MainWindow& w)
{
    return trendPanes(w).trendSetupPane();
}
inline TrendResultsPane* trendResultsPane(const MainWindow& w)
{
    return trendPanes(w).trendResultsPane();
}

} // namespace korvel::ui
