#include "trend/TrendResultsView.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>

#include "model/BestMix.h"
#include "model/Errors.h"
#include "model/FixedTrend.h"
#include "model/Numbers.h"
#include "trend/SpreadsheetExport.h"
#include "trend/TrendController.h"
#include "trend/TrendPanes.h"
#include "trend/TrendSetupPane.h"
#include "ui/main/ControlNames.h"
#include "ui/main/MainPane.h"
#include "ui/main/PaneHost.h"
#include "ui/platform/ReadingOrder.h"
#include "ui/platform/Twips.h"
#include "ui/results/DetailsPane.h"
#include "ui/results/OptionBrowser.h"
#include "ui/results/ResultPrinter.h"
#include "ui/results/ResultsPane.h"

namespace korvel::ui {

namespace {

constexpr int kPanelHeight = 550; // twips
constexpr int kTopWithoutPanel = 50;
constexpr int kTopBelowPanel = 600;

} // namespace

TrendResultsView::TrendResultsView(TrendPanes& panes, QWidget* parent)
    : QWidget(parent), main_(panes.host()), panes_(panes)
{
    pnlBatchSteps = new QFrame(this);
    pnlBatchSteps->setObjectName(QStringLiteral("pnlBatchSteps"));
    pnlBatchSteps->setFrameShape(QFrame::Panel);
    QPalette shade = pnlBatchSteps->palette();
    shade.setColor(QPalette::Window, QColor(0xE8, 0xEE, 0xF4));
    pnlBatchSteps->setPalette(shade);
    pnlBatchSteps->setAutoFillBackground(true);

    cmdBatchStep[1] = new QPushButton(QStringLiteral("< Previous"), pnlBatchSteps);
    cmdBatchStep[1]->setObjectName(arrayName(QStringLiteral("cmdBatchStep"), 1));
    cmdBatchStep[0] = new QPushButton(QStringLiteral("Next >"), pnlBatchSteps);
    cmdBatchStep[0]->setObjectName(arrayName(QStringLiteral("cmdBatchStep"), 0));
    stepCounter = new QLabel(pnlBatchSteps);
    stepCounter->setObjectName(arrayName(QStringLiteral("lblBatchDescription"), 1));
    lblFreeBatchDescription = new QLabel(pnlBatchSteps);
    lblFreeBatchDescription->setObjectName(QStringLiteral("lblFreeBatchDescription"));
    QFont bold = lblFreeBatchDescription->font();
    bold.setBold(true);
    lblFreeBatchDescription->setFont(bold);
    cmdExcel = new QPushButton(QStringLiteral("Export to MS Excel"), pnlBatchSteps);
    cmdExcel->setObjectName(QStringLiteral("cmdExcel"));
    auto* panel = new QHBoxLayout(pnlBatchSteps);
    panel->setContentsMargins(8, 2, 8, 2);
    panel->addWidget(cmdBatchStep[1]);
    panel->addWidget(stepCounter);
    panel->addWidget(cmdBatchStep[0]);
    panel->addSpacing(twips(200));
    panel->addWidget(lblFreeBatchDescription, 1);
    panel->addWidget(cmdExcel);

    theResults = new OptionBrowser(main_.session(), main_.state().summaryResults, this);
    theResults->setObjectName(QStringLiteral("theResults"));
    ResultsPane::connectToMainWindow(*theResults, panes_.results());
    OptionBrowser::Hooks& hooks = theResults->hooks;
    // A fixed trend started here returns here: its setup's Back shows these results again.
    hooks.runFixedTrend = [this](const std::shared_ptr<korvel::FieldCollection>& option) {
        panes_.trendSetupPane()->trend().fixedTrendFromTrendResults(option);
    };
    // The browser's export is the one of the run on screen: a fixed trend, or a variable trend of one value
    // laid out like one.
    hooks.exportTrendResults = [this] {
        if (fixedTrend)
            SpreadsheetExport::exportFixedTrend(panes_, this, exportFileName);
        else
            exportToSpreadsheet();
    };

    connect(cmdBatchStep[0], &QPushButton::clicked, this, [this] { stepButtonClicked(0); });
    connect(cmdBatchStep[1], &QPushButton::clicked, this, [this] { stepButtonClicked(1); });
    connect(cmdExcel, &QPushButton::clicked, this, [this] { exportToSpreadsheet(); });

    QList<QWidget*> order{cmdBatchStep[1], cmdBatchStep[0], cmdExcel};
    order << theResults->controlsInReadingOrder();
    setReadingOrder(order);

    pnlBatchSteps->hide();
    resultsTop_ = kTopWithoutPanel;
    place();
}

QSize TrendResultsView::sizeHint() const
{
    const QSize inner = theResults->sizeHint();
    return {std::max(inner.width(), pnlBatchSteps->sizeHint().width()), inner.height() + twips(kTopBelowPanel)};
}

QSize TrendResultsView::minimumSizeHint() const
{
    return sizeHint();
}

void TrendResultsView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    place();
}

void TrendResultsView::place()
{
    pnlBatchSteps->setGeometry(0, 0, width(), twips(kPanelHeight));
    const int top = twips(resultsTop_);
    theResults->setGeometry(0, top, width(), std::max(theResults->sizeHint().height(), height() - top));
}

void TrendResultsView::EnableBatch(bool yesno)
{
    pnlBatchSteps->setVisible(yesno);
}

void TrendResultsView::setBatchCollection(const std::vector<std::shared_ptr<korvel::BestMix>>& d,
                                          const korvel::BatchProcess& thebp)
{
    steps_ = d;
    bp = thebp;
    if (d.size() < 2) {
        pnlBatchSteps->hide();
        theResults->ShowBatchedVariables(true);
        resultsTop_ = kTopWithoutPanel;
    } else {
        pnlBatchSteps->show();
        theResults->ShowBatchedVariables(false);
        resultsTop_ = kTopBelowPanel;
    }
    place();
}

void TrendResultsView::LoadBatchResults(int theIndex)
{
    const int count = static_cast<int>(steps_.size());
    if (theIndex < 1 || theIndex > count)
        return;
    korvel::SessionState& s = main_.session();
    theResults->loadResults(steps_[static_cast<std::size_t>(theIndex) - 1]->returnCollection(true, s));
    current_ = theIndex;

    // The caption keeps its text when the step has no value to show.
    try {
        const auto whole = [](double v) { return static_cast<int>(num::toWhole(v)); };
        const korvel::TrendUnits units =
            panes_.trendSetupPane()->GetVariableUnits(whole(bp.VariableIndex), whole(bp.cropIndex));
        const std::size_t at = static_cast<std::size_t>(theIndex) - 1;
        if (at < s.TrendValues.size()) {
            const double value = s.TrendValues[at].number();
            lblFreeBatchDescription->setText(QString::fromStdString(s.TrendCropName + " " + s.TrendVariableName + ": " +
                                                                    units[0] + num::formatPattern(value, "###,##0.00") +
                                                                    " " + units[1]));
        }
    } catch (const korvel::KorvelError&) {
    }
    stepCounter->setText(QStringLiteral("Step ") + QString::number(theIndex) + QStringLiteral(" of ") +
                         QString::number(count));
}

void TrendResultsView::stepButtonClicked(int Index)
{
    if (Index == 0)
        LoadBatchResults(current_ + 1);
    else if (Index == 1)
        LoadBatchResults(current_ - 1);
}

void TrendResultsView::exportToSpreadsheet()
{
    SpreadsheetExport::exportVariableTrend(panes_, *this, exportFileName);
}

} // namespace korvel::ui
