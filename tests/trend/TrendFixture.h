#pragma once
// A main window with trend processing on, complete main-pane inputs (Corn and Wheat ticked) and helpers to
// reach the trend panes, for the trend window tests.
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QStringList>

#include "model/BestMix.h"
#include "model/FixedTrend.h"
#include "trend/TrendController.h"
#include "trend/TrendResultsView.h"
#include "trend/TrendSetupPane.h"
#include "ui/AssembledWindow.h"
#include "ui/results/OptionBrowser.h"
#include "ui/results/ResultsPane.h"

namespace korvel::ui::test {

// The information line of the trend setup, for a variable and for a fixed trend.
inline const QString kVariableInfo = QStringLiteral(
    "This program runs the standard Korvel evaluation over a range of values for an individual variable.  Once "
    "completed, a single trend process can be run on one of the resulting options.");
inline const QString kFixedInfo = QStringLiteral(
    "This program uses a selected Option from the prior screen of results and executes a fixed trend of up to 2 "
    "different input variables.");

class TrendTest : public MainWindowTest {
protected:
    // Loads the window, fills the inputs and switches trend processing on (its box answered and forgotten).
    void openWithTrends()
    {
        open();
        fillInputs();
        w().EnableBatch(true);
        dialogs.clearRecord();
    }

    TrendSetupPane& setup() { return *trendSetupPane(w()); }
    TrendResultsPane& resultsPane() { return *trendResultsPane(w()); }
    TrendResultsView& view() { return *resultsPane().theBatchResults; }
    TrendController& trend() { return setup().trend(); }
    OptionBrowser& browser() { return *pneResults(w())->theResults(); }

    // The named control of a widget (fails the test when missing).
    template <class T>
    static T* inside(const QWidget* parent, const QString& name)
    {
        T* found = parent->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    QStringList cropChoices()
    {
        QStringList out;
        for (int i = 0; i < setup().cboCrops->count(); ++i)
            out << setup().cboCrops->itemText(i);
        return out;
    }

    // A normal evaluation from the run button, then the fixed-trend button on the shown option.
    void startFixedTrendOnTheBestOption()
    {
        w().runEvaluation();
        ASSERT_FALSE(pneResults(w())->isHidden());
        inside<QPushButton>(&browser(), "cmdBatchThis")->click();
        ASSERT_FALSE(setup().isHidden());
    }

    // Picks a variable and types a list of values, as a user does.
    void manualValues(int variable, const QString& list)
    {
        setup().optBatchVariable[static_cast<std::size_t>(variable)]->click();
        setup().txtBatchList->setText(list);
    }

    // The shown labels of the option browser of the trend results view.
    QString trendLine(int i) { return inside<QLabel>(view().theResults, arrayName("lblBatchDescriptions", i))->text(); }
};

} // namespace korvel::ui::test
