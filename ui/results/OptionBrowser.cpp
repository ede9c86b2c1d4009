#include "ui/results/OptionBrowser.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "model/Errors.h"
#include "ui/main/HelpButton.h"
#include "ui/main/HelpTopics.h"
#include "ui/main/ViewText.h"
#include "ui/platform/DialogService.h"
#include "ui/platform/ReadingOrder.h"
#include "ui/results/FieldRow.h"

namespace korvel::ui {

namespace {

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QLabel* heading(QWidget* parent, const QString& name, const QString& text)
{
    QLabel* label = makeLabel(parent, name, text);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QFrame* namedFrame(QWidget* parent, const QString& name, QFrame::Shape shape)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(shape);
    return frame;
}

// A button showing an icon, with a tool tip for its caption.
QPushButton* iconButton(QWidget* parent, const QString& name, const QIcon& icon, const QString& toolTip)
{
    QPushButton* button = makeButton(parent, name, QString());
    button->setIcon(icon);
    button->setToolTip(toolTip);
    return button;
}

} // namespace

OptionBrowser::OptionBrowser(const SessionState& session, OptionList& summaryResults, QWidget* parent)
    : QWidget(parent), session_(session), summaryResults_(summaryResults)
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildColumnHeadings());
    buildFieldRows(layout);
    layout->addLayout(buildNetReturnRow());
    layout->addLayout(buildCounterRow());
    layout->addWidget(
        makeLabel(this, arrayName(QStringLiteral("Label5"), 1), QStringLiteral("**Includes irrigation costs")));
    layout->addWidget(makeLabel(this, arrayName(QStringLiteral("Label5"), 0),
                                QStringLiteral("*Net returns to land, management, and irrigation equipment")));
    layout->addLayout(buildButtons());
    layout->addWidget(buildTrendFrame());
    layout->addStretch(1);

    batchDisplay->hide();
    pnlBatchedVariables->hide();
    setReadingOrder(controlsInReadingOrder());

    connect(cmdAdvance, &QPushButton::clicked, this, &OptionBrowser::showNextOption);
    connect(cmdPrevious, &QPushButton::clicked, this, &OptionBrowser::showPreviousOption);
    connect(cmdSaveResult, &QPushButton::clicked, this, &OptionBrowser::saveShownOption);
    connect(cmdBatchThis, &QPushButton::clicked, this, &OptionBrowser::runFixedTrendOnShownOption);
    connect(backButton, &QPushButton::clicked, this, &OptionBrowser::goBack);
    connect(printButton, &QPushButton::clicked, this, &OptionBrowser::printResults);
    connect(cmdExcel, &QPushButton::clicked, this, [this] {
        if (hooks.exportTrendResults)
            hooks.exportTrendResults();
    });
    hooks.showHelp = [](const QString& topic) { HelpTopics::ShowHelp(topic); };
    hooks.showHelpScreen = [](const QString& text, const QString& title, int height, const QWidget* beside) {
        HelpTopics::ShowHelpScreen(text, title, height, beside);
    };
    updateOptionButtons();
}

QList<QWidget*> OptionBrowser::controlsInReadingOrder() const
{
    QList<QWidget*> order;
    for (const FieldRow* row : rh)
        order << row->findChild<QWidget*>(QStringLiteral("cmdDetails"));
    auto named = [this](const QString& name) { return findChild<QWidget*>(name); };
    order << cmdPrevious << cmdAdvance << cmdSaveResult << printButton << backButton << cmdBatchThis
          << named(arrayName(QStringLiteral("cmdHelp"), 25)) << named(arrayName(QStringLiteral("cmdHelp2"), 0))
          << cmdExcel << named(arrayName(QStringLiteral("cmdHelp3"), 1));
    return order;
}

// Column headings, aligned with the field rows below them.
QWidget* OptionBrowser::buildColumnHeadings()
{
    auto* headings = new QWidget(this);
    auto* grid = new QGridLayout(headings);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(0);
    const int widths[] = {FieldRow::kAcresWidth, FieldRow::kCropWidth,    FieldRow::kYieldWidth,
                          FieldRow::kDepthWidth, FieldRow::kSlashWidth,   FieldRow::kDepthWidth,
                          FieldRow::kCostsWidth, FieldRow::kReturnsWidth, FieldRow::kProfitWidth};
    for (int c = 0; c < 9; ++c)
        grid->setColumnMinimumWidth(c, widths[c]);
    grid->addWidget(heading(headings, QStringLiteral("Label84"), QStringLiteral("Land Split")), 0, 0);
    grid->addWidget(heading(headings, QStringLiteral("Label2"), QStringLiteral("(acres)")), 1, 0);
    grid->addWidget(heading(headings, QStringLiteral("Label85"), QStringLiteral("Crop")), 0, 1, 2, 1);
    grid->addWidget(heading(headings, QStringLiteral("Label86"), QStringLiteral("Yield")), 0, 2, 2, 1);
    grid->addWidget(heading(headings, QStringLiteral("Label87"), QStringLiteral("Irrigation")), 0, 3, 1, 3);
    grid->addWidget(heading(headings, QStringLiteral("Label88"), QStringLiteral("Gross")), 1, 3);
    grid->addWidget(heading(headings, QStringLiteral("Label1"), QStringLiteral("/")), 1, 4);
    grid->addWidget(heading(headings, QStringLiteral("Label89"), QStringLiteral("Net")), 1, 5);
    grid->addWidget(heading(headings, QStringLiteral("Label3"), QStringLiteral("(inches)")), 2, 3, 1, 3);
    grid->addWidget(heading(headings, QStringLiteral("Label91"), QStringLiteral("Total Operating Costs**")), 0, 6, 2,
                    1);
    grid->addWidget(heading(headings, QStringLiteral("Label92"), QStringLiteral("Total Returns")), 0, 7, 2, 1);
    grid->addWidget(heading(headings, QStringLiteral("Label93"), QStringLiteral("*Net Return")), 0, 8, 2, 1);
    grid->setColumnStretch(9, 1);
    return headings;
}

// The four field rows, hidden until an option fills them; each opens its field's cost details.
void OptionBrowser::buildFieldRows(QVBoxLayout* layout)
{
    for (int k = 0; k < 4; ++k) {
        rh[k] = new FieldRow(session_, this);
        rh[k]->setObjectName(arrayName(QStringLiteral("rh"), k));
        rh[k]->onDetails = [this](const std::shared_ptr<Field>& field) {
            if (hooks.showDetails)
                hooks.showDetails(field);
        };
        rh[k]->hide();
        layout->addWidget(rh[k]);
    }
}

// The option's net return per acre, under the field rows' net return column.
QHBoxLayout* OptionBrowser::buildNetReturnRow()
{
    auto* totalRow = new QHBoxLayout;
    totalRow->addSpacing(FieldRow::kAcresWidth + FieldRow::kCropWidth + FieldRow::kYieldWidth +
                         2 * FieldRow::kDepthWidth + FieldRow::kSlashWidth + FieldRow::kCostsWidth);
    QLabel* netReturnHeading = heading(this, QStringLiteral("Label4"), QStringLiteral("*Net Return"));
    netReturnHeading->setFixedWidth(FieldRow::kReturnsWidth);
    totalRow->addWidget(netReturnHeading);
    lblTotalProfit = makeLabel(this, QStringLiteral("lblTotalProfit"), QString());
    lblTotalProfit->setFixedWidth(FieldRow::kProfitWidth);
    lblTotalProfit->setAlignment(Qt::AlignCenter);
    totalRow->addWidget(lblTotalProfit);
    totalRow->addStretch(1);
    return totalRow;
}

// The option counter between the previous and next buttons.
QHBoxLayout* OptionBrowser::buildCounterRow()
{
    auto* counterRow = new QHBoxLayout;
    cmdPrevious = iconButton(this, QStringLiteral("cmdPrevious"), style()->standardIcon(QStyle::SP_ArrowLeft),
                             tr("Previous option"));
    lblCounter = makeLabel(this, QStringLiteral("lblCounter"), QStringLiteral("Option 1"));
    lblCounter->setAlignment(Qt::AlignCenter);
    lblCounter->setMinimumWidth(90);
    cmdAdvance =
        iconButton(this, QStringLiteral("cmdAdvance"), style()->standardIcon(QStyle::SP_ArrowRight), tr("Next option"));
    counterRow->addStretch(1);
    counterRow->addWidget(cmdPrevious);
    counterRow->addWidget(lblCounter);
    counterRow->addWidget(cmdAdvance);
    counterRow->addStretch(1);
    return counterRow;
}

QHBoxLayout* OptionBrowser::buildButtons()
{
    auto* buttons = new QHBoxLayout;
    cmdSaveResult = makeButton(this, QStringLiteral("cmdSaveResult"), QStringLiteral("Compare this option"));
    printButton = makeButton(this, QStringLiteral("Command2"), QStringLiteral("Print Results"));
    backButton = makeButton(this, QStringLiteral("Command1"), QStringLiteral("Back"));
    buttons->addWidget(cmdSaveResult);
    buttons->addWidget(printButton);
    buttons->addStretch(1);
    buttons->addWidget(backButton);
    return buttons;
}

// The trend controls, shown only while trend processing is on: the fixed-trend button with its help, and the
// panel of the trend variables.
QFrame* OptionBrowser::buildTrendFrame()
{
    batchDisplay = namedFrame(this, QStringLiteral("batchDisplay"), QFrame::StyledPanel);
    auto* batchLayout = new QVBoxLayout(batchDisplay);
    auto* batchRow = new QHBoxLayout;
    cmdBatchThis =
        makeButton(batchDisplay, QStringLiteral("cmdBatchThis"), QStringLiteral("Run a Fixed Trend on this Option"));
    QPushButton* trendHelpButton = plainHelpButton(arrayName(QStringLiteral("cmdHelp"), 25), batchDisplay);
    batchRow->addWidget(cmdBatchThis);
    batchRow->addWidget(trendHelpButton);
    batchRow->addWidget(
        makeLabel(batchDisplay, arrayName(QStringLiteral("Label5"), 2), QStringLiteral("What's a Trend?")));
    batchRow->addStretch(1);
    batchLayout->addLayout(batchRow);
    batchLayout->addWidget(buildTrendVariablesPanel());

    connect(trendHelpButton, &QPushButton::clicked, this, [this] {
        if (hooks.showHelp)
            hooks.showHelp(QStringLiteral("batchoption.htm#BatchFixed"));
    });
    return batchDisplay;
}

// The lines of the shown option's trend variables, with the export of the trend results and their help.
QFrame* OptionBrowser::buildTrendVariablesPanel()
{
    pnlBatchedVariables = namedFrame(batchDisplay, QStringLiteral("pnlBatchedVariables"), QFrame::Panel);
    auto* panelLayout = new QGridLayout(pnlBatchedVariables);
    QLabel* panelPicture = makeLabel(pnlBatchedVariables, QStringLiteral("Image1"), QString());
    panelPicture->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(32, 32));
    panelLayout->addWidget(panelPicture, 0, 0, 2, 1);
    for (int i = 0; i < 2; ++i) {
        lblBatchDescriptions[i] =
            makeLabel(pnlBatchedVariables, arrayName(QStringLiteral("lblBatchDescriptions"), i), QString());
        panelLayout->addWidget(lblBatchDescriptions[i], i, 1);
    }
    QPushButton* stepsHelpButton = plainHelpButton(arrayName(QStringLiteral("cmdHelp2"), 0), pnlBatchedVariables);
    panelLayout->addWidget(stepsHelpButton, 0, 2);
    cmdExcel = makeButton(pnlBatchedVariables, QStringLiteral("cmdExcel"),
                          QStringLiteral("Export the Trend Results to MS Excel"));
    panelLayout->addWidget(cmdExcel, 2, 1);
    QPushButton* exportHelpButton = plainHelpButton(arrayName(QStringLiteral("cmdHelp3"), 1), pnlBatchedVariables);
    panelLayout->addWidget(exportHelpButton, 2, 2);
    panelLayout->setColumnStretch(1, 1);

    connect(stepsHelpButton, &QPushButton::clicked, this, [this, stepsHelpButton] {
        if (hooks.showHelpScreen)
            hooks.showHelpScreen(QStringLiteral("Click an 'Option' previous or next button to display results of "
                                                "each step of the input variable range(s)"),
                                 QStringLiteral("View Trend Results"), 1750, stepsHelpButton);
    });
    connect(exportHelpButton, &QPushButton::clicked, this, [this, exportHelpButton] {
        if (hooks.showHelpScreen)
            hooks.showHelpScreen(QStringLiteral("Exports results to a MS Excel spreadsheet"),
                                 QStringLiteral("Excel Output"), 1725, exportHelpButton);
    });
    return pnlBatchedVariables;
}

void OptionBrowser::loadResults(const OptionList& c)
{
    EnableBatch(session_.BatchEnabled);
    optionCount = 0;
    currentRecord = 0;
    lblCounter->setText(QStringLiteral("Option 1"));
    FieldCollection = c;
    for (const auto& option : FieldCollection)
        if (option && option->Count() > 0)
            optionCount = optionCount + 1;
    if (optionCount == 0) {
        // A list without an option to show: nothing of an earlier list stays on screen.
        HideHolders();
        lblTotalProfit->clear();
        for (QLabel* line : lblBatchDescriptions)
            line->clear();
    }
    Switch(1);
    updateOptionButtons();
}

void OptionBrowser::EnableBatch(bool yesno)
{
    batchDisplay->setVisible(yesno);
}

void OptionBrowser::ShowBatchedVariables(bool d)
{
    pnlBatchedVariables->setVisible(d);
}

void OptionBrowser::HideHolders()
{
    for (FieldRow* row : rh)
        row->hide();
}

void OptionBrowser::Switch(int d)
{
    // Only positions 1 to optionCount hold options to show; the placeholders after them never appear.
    const int target = currentRecord + d;
    if (target < 1 || target > optionCount)
        return;
    const std::shared_ptr<Option> option = FieldCollection[static_cast<std::size_t>(target) - 1];
    if (!option)
        return;
    HideHolders();
    currentRecord = target;

    double totalAcres = 0;
    int k = 0;
    for (const auto& field : *option) {
        totalAcres = totalAcres + field->acres;
        if (k < 4) {
            rh[k]->loadField(*field);
            rh[k]->show();
        }
        k = k + 1;
    }
    showStep(lblTotalProfit, [&] {
        return QStringLiteral("$") + pattern(getTotalProfit(currentRecord) / totalAcres, "###,###,###") +
               QStringLiteral(" /acre");
    });
    for (QLabel* line : lblBatchDescriptions)
        line->clear();
    for (std::size_t i = 0; i < option->theVariable.size() && i < 2; ++i) {
        showStep(lblBatchDescriptions[i], [&] {
            const auto& units = option->theUnits.at(i);
            return qtext(option->theVariable[i]) + QStringLiteral(" : ") + qtext(units[0]) +
                   pattern(option->theValue.at(i), "###,###.00") + QStringLiteral(" ") + qtext(units[1]);
        });
    }
    updateOptionButtons();
}

double OptionBrowser::getTotalProfit(int c)
{
    if (c < 1 || static_cast<std::size_t>(c) > FieldCollection.size())
        throw IndexError("option " + std::to_string(c) + " does not exist (the list has " +
                         std::to_string(FieldCollection.size()) + " options)");
    return FieldCollection[static_cast<std::size_t>(c) - 1]->getProfit(session_);
}

std::shared_ptr<OptionBrowser::Option> OptionBrowser::shownOption() const
{
    if (currentRecord < 1 || static_cast<std::size_t>(currentRecord) > FieldCollection.size())
        return nullptr;
    return FieldCollection[static_cast<std::size_t>(currentRecord) - 1];
}

void OptionBrowser::updateOptionButtons()
{
    // Without an option on screen there is nothing to save, print, trend or page through.
    const bool shown = shownOption() != nullptr;
    cmdSaveResult->setEnabled(shown);
    printButton->setEnabled(shown);
    cmdBatchThis->setEnabled(shown);
    cmdPrevious->setEnabled(shown);
    cmdAdvance->setEnabled(shown);
}

void OptionBrowser::showNextOption()
{
    Switch(1);
    lblCounter->setText(QStringLiteral("Option ") + QString::number(getOption()));
}

void OptionBrowser::showPreviousOption()
{
    Switch(-1);
    lblCounter->setText(QStringLiteral("Option ") + QString::number(getOption()));
}

void OptionBrowser::showOptionAt(int position)
{
    while (currentRecord < position) {
        const int before = currentRecord;
        Switch(1);
        if (currentRecord == before)
            break;
    }
    lblCounter->setText(QStringLiteral("Option ") + QString::number(getOption()));
}

void OptionBrowser::saveShownOption()
{
    const std::shared_ptr<Option> option = shownOption();
    if (!option)
        return;
    summaryResults_.push_back(option);
    showMessage(this,
                QStringLiteral("This option has been saved for comparison and is available by clicking the "
                               "'Summary Table' menu item"),
                MsgButtons::Ok, MsgIcon::None, QStringLiteral("Result saved"));
}

void OptionBrowser::runFixedTrendOnShownOption()
{
    const std::shared_ptr<Option> option = shownOption();
    if (!option)
        return;
    if (hooks.runFixedTrend)
        hooks.runFixedTrend(option);
    EnableBatch(true);
}

void OptionBrowser::goBack()
{
    if (session_.TrendMode) {
        if (hooks.showTrendSetup)
            hooks.showTrendSetup();
    } else if (hooks.showMainPane) {
        hooks.showMainPane();
    }
    if (hooks.setPrintEnabled)
        hooks.setPrintEnabled(false);
}

void OptionBrowser::printResults()
{
    if (hooks.printResults)
        hooks.printResults();
}

} // namespace korvel::ui
