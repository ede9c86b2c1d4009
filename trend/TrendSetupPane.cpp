#include "trend/TrendSetupPane.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <limits>

#include "model/Crop.h"
#include "model/Numbers.h"
#include "trend/TrendController.h"
#include "trend/TrendPanes.h"
#include "ui/main/ControlNames.h"
#include "ui/main/CropRow.h"
#include "ui/main/HelpButton.h"
#include "ui/main/InputValidation.h"
#include "ui/main/PaneHost.h"
#include "ui/main/ViewText.h"
#include "ui/platform/DialogService.h"
#include "ui/platform/ReadingOrder.h"
#include "ui/platform/Twips.h"

namespace korvel::ui {

namespace {

QLabel* label(QWidget* parent, const QString& name, const QString& text, bool wrap = false)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setWordWrap(wrap);
    return l;
}

QPixmap tickPicture()
{
    QPixmap pix(16, 16);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(0x2e, 0x7d, 0x32));
    pen.setWidth(3);
    p.setPen(pen);
    p.drawPolyline(QPolygon({QPoint(2, 8), QPoint(6, 13), QPoint(14, 3)}));
    return pix;
}

template <std::size_t N>
int GetSelectedIndex(const std::array<QRadioButton*, N>& opts)
{
    int result = 0;
    for (std::size_t i = 0; i < N; ++i)
        if (opts[i]->isChecked())
            result |= static_cast<int>(i);
    return result;
}

const QString kInvalidValue = QStringLiteral("Invalid value");

// The largest value of a trend variable, the limit of the box the value stands for: a price, a production cost per
// acre, a maximum yield per acre, the efficiency in percent and an irrigation cost per acre-inch. Rainfall has its
// own range.
double largestValue(int variable)
{
    switch (variable) {
    case korvel::CropPriceVariable: return kLargestPrice;
    case korvel::ProductionCostsVariable: return kLargestMoneyPerAcre;
    case korvel::MaximumYieldVariable: return kLargestYield;
    case korvel::EfficiencyVariable: return 100;
    case korvel::IrrigationCostsVariable: return kLargestPrice;
    default: return std::numeric_limits<double>::infinity();
    }
}

} // namespace

TrendSetupPane::TrendSetupPane(TrendPanes& panes, QWidget* parent) : QFrame(parent), main_(panes.host())
{
    setObjectName(arrayName(QStringLiteral("pneBatchSetup"), 0));
    setMinimumSize(twips(11370), twips(6600));
    buildSetup();
    trend_ = new TrendController(panes, *this);
}

TrendSetupPane::~TrendSetupPane()
{
    delete trend_;
}

// --- Layout ---------------------------------------------------------------------------------------

void TrendSetupPane::buildSetup()
{
    lblInstruction = label(this, arrayName(QStringLiteral("lblgeneric"), 16), QString(), true);
    QFont bold = lblInstruction->font();
    bold.setBold(true);
    lblInstruction->setFont(bold);

    QGridLayout* variables = buildVariableChoice();
    QGridLayout* values = buildValueChoice();
    buildProcessList();

    backButton = new QPushButton(QStringLiteral("Back"), this);
    backButton->setObjectName(QStringLiteral("Command10"));
    cmdBatchIt = new QPushButton(QStringLiteral("Generate Trend Output"), this);
    cmdBatchIt->setObjectName(QStringLiteral("cmdBatchIt"));

    auto* columns = new QHBoxLayout;
    columns->addLayout(variables, 1);
    columns->addSpacing(twips(300));
    columns->addLayout(values, 1);
    auto* processRow = new QHBoxLayout;
    processRow->addWidget(frmBatches);
    processRow->addWidget(cmdDeleteBatch);
    processRow->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(backButton);
    buttons->addStretch(1);
    buttons->addWidget(cmdBatchIt);
    auto* all = new QVBoxLayout(this);
    all->setContentsMargins(12, 8, 12, 8);
    all->addWidget(lblInstruction);
    all->addLayout(processRow);
    all->addLayout(columns);
    all->addStretch(1);
    all->addLayout(buttons);

    // --- Reactions ---
    connect(cboCrops, &QComboBox::currentIndexChanged, this, [this] { cropPicked(); });
    for (int i = 0; i < kTrendVariableCount; ++i)
        connect(optBatchVariable[i], &QRadioButton::clicked, this, [this, i] { variablePicked(i); });
    for (int i = 0; i < 2; ++i)
        connect(txtBatchMinimum[i], &QLineEdit::textChanged, this, [this] { selectAutoValues(); });
    connect(txtBatchList, &QLineEdit::textChanged, this, [this] { selectManualValues(); });
    connect(cmdOpenBatch, &QPushButton::clicked, this, [this] { chooseValueFile(); });
    connect(cboBatches, &QComboBox::currentIndexChanged, this, [this] { processPicked(); });
    connect(cmdAddBatchProcess, &QPushButton::clicked, this, [this] { addProcess(); });
    connect(cmdDeleteBatch, &QPushButton::clicked, this, [this] { deleteProcess(); });

    // The process list above the columns; the crop and the variables (a column at a time); how the values are
    // given; the buttons.
    QList<QWidget*> order{cboBatches,     cmdAddBatchProcess, findHelpButton(*frmBatches, 25),
                          cmdDeleteBatch, cboCrops,           findHelpButton(*this, 26)};
    for (QRadioButton* variable : optBatchVariable)
        order << variable;
    order << optBatchOption[0] << txtBatchMinimum[0] << txtBatchMinimum[1] << cboBatchSteps << optBatchOption[1]
          << cmdOpenBatch << optBatchOption[2] << txtBatchList << backButton << cmdBatchIt;
    setReadingOrder(order);
}

QGridLayout* TrendSetupPane::buildVariableChoice()
{
    // Left: the crop and the trend variables.
    auto* variables = new QGridLayout;
    variables->addWidget(label(this, QStringLiteral("lblCrop"), QStringLiteral("Crop:")), 0, 0, 1, 1);
    cboCrops = new QComboBox(this);
    cboCrops->setObjectName(QStringLiteral("cboCrops"));
    cboCrops->setMinimumWidth(twips(2200));
    auto* cropRow = new QHBoxLayout;
    cropRow->addWidget(cboCrops);
    cropRow->addWidget(makeHelpButton(main_, 26, this));
    cropRow->addStretch(1);
    variables->addLayout(cropRow, 0, 1, 1, 3);
    variables->addWidget(label(this, arrayName(QStringLiteral("lblgeneric"), 4),
                               QStringLiteral("Select the variable you wish to process:")),
                         1, 0, 1, 4);

    auto* variableGroup = new QButtonGroup(this);
    const QPixmap tick = tickPicture();
    for (int i = 0; i < kTrendVariableCount; ++i) {
        optBatchVariable[i] = new QRadioButton(qtext(TrendVariables::optionCaption(i)), this);
        optBatchVariable[i]->setObjectName(arrayName(QStringLiteral("optBatchVariable"), i));
        variableGroup->addButton(optBatchVariable[i], i);
        check[i] = label(this, arrayName(QStringLiteral("check"), i), QString());
        check[i]->setPixmap(tick);
        check[i]->setFixedSize(16, 16);
        check[i]->hide();
        const int row = 2 + i % 3;
        const int column = i < 3 ? 0 : 2;
        auto* cell = new QHBoxLayout;
        cell->addWidget(check[i]);
        cell->addWidget(optBatchVariable[i]);
        if (i == 0) {
            lblPriceUnits = label(this, arrayName(QStringLiteral("lblgeneric"), 20), QStringLiteral("($/unit)"));
            cell->addWidget(lblPriceUnits);
        } else if (i == 2) {
            lblYieldUnits = label(this, arrayName(QStringLiteral("lblgeneric"), 22), QStringLiteral("(units)"));
            // Room for the usual yield units from the start, so the caption beside them is not squeezed.
            lblYieldUnits->setMinimumWidth(
                lblYieldUnits->fontMetrics().horizontalAdvance(QStringLiteral("(bushels / acre)")));
            cell->addWidget(lblYieldUnits);
        }
        cell->addStretch(1);
        variables->addLayout(cell, row, column, 1, 2);
    }
    optBatchVariable[0]->setChecked(true);
    variables->addWidget(label(this, arrayName(QStringLiteral("lblgeneric"), 3),
                               QStringLiteral("*Total production costs do not include cost of irrigation")),
                         5, 0, 1, 4);
    return variables;
}

QGridLayout* TrendSetupPane::buildValueChoice()
{
    // Right: how the values are given.
    auto* values = new QGridLayout;
    values->addWidget(
        label(this, arrayName(QStringLiteral("lblgeneric"), 5), QStringLiteral("Determine Trend Process:")), 0, 0, 1,
        4);
    auto* modeGroup = new QButtonGroup(this);
    const char* const modes[] = {"Auto", "Import", "Manual"};
    for (int i = 0; i < 3; ++i) {
        optBatchOption[i] = new QRadioButton(QString::fromLatin1(modes[i]), this);
        optBatchOption[i]->setObjectName(arrayName(QStringLiteral("optBatchOption"), i));
        modeGroup->addButton(optBatchOption[i], i);
    }
    optBatchOption[0]->setChecked(true);

    values->addWidget(optBatchOption[0], 1, 0);
    values->addWidget(
        label(this, arrayName(QStringLiteral("lblgeneric"), 14),
              QStringLiteral("Let KVL automatically determine the variables to use in the trend process.  "
                             "Enter a minimum value, maximum value, and number of steps."),
              true),
        1, 1, 1, 3);
    const char* const bounds[] = {"Minimum Value:", "Maximum Value:"};
    for (int i = 0; i < 2; ++i) {
        values->addWidget(label(this, QStringLiteral("lblBound%1").arg(i), QString::fromLatin1(bounds[i])), 2 + i, 1);
        txtBatchMinimum[i] = new QLineEdit(this);
        txtBatchMinimum[i]->setObjectName(arrayName(QStringLiteral("txtBatchMinimum"), i));
        values->addWidget(txtBatchMinimum[i], 2 + i, 2);
    }
    minimumUnits = label(this, arrayName(QStringLiteral("lblgeneric"), 24), QStringLiteral("(units)"));
    maximumUnits = label(this, arrayName(QStringLiteral("lblgeneric"), 25), QStringLiteral("(units)"));
    values->addWidget(minimumUnits, 2, 3);
    values->addWidget(maximumUnits, 3, 3);
    values->addWidget(label(this, QStringLiteral("lblSteps"), QStringLiteral("Steps:")), 4, 1);
    cboBatchSteps = new QComboBox(this);
    cboBatchSteps->setObjectName(QStringLiteral("cboBatchSteps"));
    values->addWidget(cboBatchSteps, 4, 2);

    values->addWidget(optBatchOption[1], 5, 0);
    values->addWidget(label(this, arrayName(QStringLiteral("lblgeneric"), 15),
                            QStringLiteral("Get values from a comma-delimited text file by pressing the 'Select "
                                           "file...' button and browsing to the file of your choice."),
                            true),
                      5, 1, 1, 3);
    cmdOpenBatch = new QPushButton(QStringLiteral("Select file..."), this);
    cmdOpenBatch->setObjectName(arrayName(QStringLiteral("cmdOpenBatch"), 1));
    values->addWidget(cmdOpenBatch, 6, 1);
    lblBatchFile = label(this, QStringLiteral("lblBatchFile"), QString(), true);
    values->addWidget(lblBatchFile, 6, 2, 1, 2);

    values->addWidget(optBatchOption[2], 7, 0);
    values->addWidget(label(this, arrayName(QStringLiteral("lblgeneric"), 13),
                            QStringLiteral("Type in values to be used in the trend process.  Separate the values by a "
                                           "comma."),
                            true),
                      7, 1, 1, 3);
    txtBatchList = new QLineEdit(this);
    txtBatchList->setObjectName(QStringLiteral("txtBatchList"));
    values->addWidget(txtBatchList, 8, 1, 1, 3);
    values->setColumnStretch(2, 1);
    return values;
}

void TrendSetupPane::buildProcessList()
{
    // The process list of a fixed trend.
    frmBatches = new QFrame(this);
    frmBatches->setObjectName(QStringLiteral("frmBatches"));
    auto* batches = new QHBoxLayout(frmBatches);
    batches->setContentsMargins(0, 0, 0, 0);
    batches->addWidget(label(frmBatches, QStringLiteral("lblTrends"), QStringLiteral("Trends:")));
    cboBatches = new QComboBox(frmBatches);
    cboBatches->setObjectName(QStringLiteral("cboBatches"));
    batches->addWidget(cboBatches);
    cmdAddBatchProcess = new QPushButton(QStringLiteral("Add a trend process"), frmBatches);
    cmdAddBatchProcess->setObjectName(QStringLiteral("cmdAddBatchProcess"));
    batches->addWidget(cmdAddBatchProcess);
    batches->addWidget(makeHelpButton(main_, 25, frmBatches));
    frmBatches->hide();
    cmdDeleteBatch = new QPushButton(QStringLiteral("Delete this process"), this);
    cmdDeleteBatch->setObjectName(QStringLiteral("cmdDeleteBatch"));
    cmdDeleteBatch->hide();
}

// --- Process list ---------------------------------------------------------------------------------

void TrendSetupPane::selectBatchEntryQuietly(int entry)
{
    cboBatches->setEnabled(false);
    cboBatches->setCurrentIndex(entry);
    cboBatches->setEnabled(true);
}

bool TrendSetupPane::AddBatchProcess()
{
    ProcessCollection.push_back(korvel::BatchProcess().Copy());
    const int n = static_cast<int>(ProcessCollection.size());
    // The list is rebuilt while disabled: neither the new entries nor the selection run its handler.
    cboBatches->setEnabled(false);
    cboBatches->clear();
    for (int i = 1; i <= n; ++i)
        cboBatches->addItem(QString::number(i));
    cboBatches->setCurrentIndex(n - 1);
    cboBatches->setEnabled(true);
    if (LoadBatchProcess(n - 1)) {
        RefreshBatchButtons();
        return true;
    }
    return false;
}

void TrendSetupPane::RefreshBatchButtons()
{
    const int n = static_cast<int>(ProcessCollection.size());
    cmdAddBatchProcess->setVisible(n < main_.state().MaximumBatches);
    cmdDeleteBatch->setVisible(n >= 2 && cboBatches->currentIndex() != 0);
}

bool TrendSetupPane::CheckCurrentProcess()
{
    return GetBatchProcess(cboCrops->currentText()).has_value();
}

bool TrendSetupPane::LoadBatchProcess(int batchIndex)
{
    if (ProcessCollection.size() > 1) {
        const std::optional<korvel::BatchProcess> p = GetBatchProcess(cboCrops->currentText());
        if (!p)
            return false;
        if (CurrentProcess >= 0 && static_cast<std::size_t>(CurrentProcess) < ProcessCollection.size())
            ProcessCollection[static_cast<std::size_t>(CurrentProcess)].Change(*p);
    }
    return showProcess(batchIndex);
}

bool TrendSetupPane::showProcess(int batchIndex)
{
    ClearBatchData();
    if (batchIndex < 0 || static_cast<std::size_t>(batchIndex) >= ProcessCollection.size())
        return true;
    const korvel::BatchProcess q = ProcessCollection[static_cast<std::size_t>(batchIndex)];

    // Each step that cannot be carried out is passed over.
    const auto whole = [](double v) {
        try {
            return static_cast<int>(num::toWhole(v));
        } catch (const std::exception&) {
            return -1;
        }
    };
    if (CropRow* row = cropRow(whole(q.cropIndex))) {
        const int entry = cboCrops->findText(qtext(row->crop()->cropType), Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (entry >= 0)
            selectCropEntry(entry);
    }
    const int variable = whole(q.VariableIndex);
    if (variable >= 0 && variable < kTrendVariableCount)
        turnOnVariable(variable);
    txtBatchMinimum[1]->setText(qtext(q.variables_max));
    txtBatchMinimum[0]->setText(qtext(q.variables_min));
    const int steps = cboBatchSteps->findText(qtext(q.variables_steps));
    if (steps >= 0)
        cboBatchSteps->setCurrentIndex(steps);
    txtBatchList->setText(qtext(q.variables_manual));
    lblBatchFile->setText(qtext(q.inputfilename));
    if (q.variables_type >= 0 && q.variables_type < 3)
        optBatchOption[static_cast<std::size_t>(q.variables_type)]->setChecked(true);
    CurrentProcess = batchIndex;
    for (std::size_t i = 0; i < ProcessCollection.size(); ++i) {
        if (static_cast<int>(i) == batchIndex)
            continue;
        const int other = whole(ProcessCollection[i].VariableIndex);
        if (other >= 0 && other < kTrendVariableCount)
            check[static_cast<std::size_t>(other)]->show();
    }
    return true;
}

bool TrendSetupPane::ClearBatchData()
{
    txtBatchList->setText(QString());
    txtBatchMinimum[0]->setText(QString());
    txtBatchMinimum[1]->setText(QString());
    const int two = cboBatchSteps->findText(QStringLiteral("2"));
    if (two >= 0)
        cboBatchSteps->setCurrentIndex(two);
    optBatchOption[0]->setChecked(true);
    optBatchVariable[0]->setChecked(true);
    lblBatchFile->setText(QString());
    for (QLabel* tick : check)
        tick->hide();
    return true;
}

void TrendSetupPane::processPicked()
{
    if (!cboBatches->isEnabled())
        return;
    if (LoadBatchProcess(cboBatches->currentIndex())) {
        RefreshBatchButtons();
    } else {
        selectBatchEntryQuietly(CurrentProcess);
    }
}

void TrendSetupPane::addProcess()
{
    if (CheckCurrentProcess())
        AddBatchProcess();
}

void TrendSetupPane::deleteProcess()
{
    const MsgAnswer answer = showMessage(this, QStringLiteral("Delete this trend process?"), MsgButtons::YesNo,
                                         MsgIcon::None, QStringLiteral("Delete"));
    if (answer == MsgAnswer::Yes) {
        const int removed = cboBatches->currentIndex();
        if (removed >= 0 && static_cast<std::size_t>(removed) < ProcessCollection.size()) {
            ProcessCollection.erase(ProcessCollection.begin() + removed);
            cboBatches->setEnabled(false);
            cboBatches->removeItem(removed);
            // The process before the removed one is shown (Delete is never offered for the first).
            cboBatches->setCurrentIndex(std::max(0, removed - 1));
            cboBatches->setEnabled(true);
            LoadBatchProcess(cboBatches->currentIndex());
        }
    }
    RefreshBatchButtons();
}

void TrendSetupPane::chooseValueFile()
{
    optBatchOption[1]->setChecked(true);
    FileRequest request;
    request.title = QStringLiteral("Select a file with trend values");
    request.defaultName = dlgBatchFileName_;
    if (const std::optional<QString> chosen = DialogService::instance().openFile(this, request))
        dlgBatchFileName_ = *chosen;
    lblBatchFile->setText(dlgBatchFileName_);
}

void TrendSetupPane::cropPicked()
{
    if (const std::shared_ptr<korvel::Crop> crop = FindCropByName(cboCrops->currentText())) {
        const auto unit = [&](std::size_t k) {
            return k < crop->cropUnitsArray.size() ? qtext(crop->cropUnitsArray[k]) : QString();
        };
        lblPriceUnits->setText(QStringLiteral("($ / ") + unit(0) + QStringLiteral(")"));
        lblYieldUnits->setText(QStringLiteral("(") + unit(1) + QStringLiteral(" / acre)"));
    }
    SetVariableLabels(selectedVariable());
}

void TrendSetupPane::variablePicked(int index)
{
    SetVariableLabels(index);
}

void TrendSetupPane::selectAutoValues()
{
    optBatchOption[0]->setChecked(true);
}

void TrendSetupPane::selectManualValues()
{
    optBatchOption[2]->setChecked(true);
}

void TrendSetupPane::selectCropEntry(int entry)
{
    {
        const QSignalBlocker quiet(cboCrops);
        cboCrops->setCurrentIndex(entry);
    }
    cropPicked();
}

void TrendSetupPane::turnOnVariable(int index)
{
    optBatchVariable[static_cast<std::size_t>(index)]->setChecked(true);
    variablePicked(index);
}

// --- Processes and their values ---------------------------------------------------------------------

int TrendSetupPane::selectedVariable() const
{
    return GetSelectedIndex(optBatchVariable);
}

int TrendSetupPane::selectedValueMode() const
{
    for (int i = 0; i < 3; ++i)
        if (optBatchOption[static_cast<std::size_t>(i)]->isChecked())
            return i;
    return -1;
}

std::optional<korvel::BatchProcess> TrendSetupPane::GetBatchProcess(const QString& cropName)
{
    korvel::BatchProcessInput input;
    input.mode = selectedValueMode();
    input.minimumText = txtBatchMinimum[0]->text().toStdString();
    input.maximumText = txtBatchMinimum[1]->text().toStdString();
    input.stepsText = cboBatchSteps->currentText().toStdString();
    input.fileName = lblBatchFile->text().toStdString();
    input.manualText = txtBatchList->text().toStdString();
    input.variable = selectedVariable();
    input.largest = largestValue(input.variable);

    korvel::BatchProcessBuild built = korvel::makeBatchProcess(input);
    using Problem = korvel::BatchProcessProblem;
    const auto refuse = [this](const QString& text, MsgIcon icon, const QString& title) {
        showMessage(this, text, MsgButtons::Ok, icon, title);
        return std::nullopt;
    };
    switch (built.problem) {
    case Problem::None: break;
    case Problem::MaximumNotAboveMinimum:
        return refuse(QStringLiteral("Please select a maximum value greater than the minimum value!"),
                      MsgIcon::Exclamation, kInvalidValue);
    case Problem::NoFile: return refuse(QStringLiteral("Please select a file!"), MsgIcon::Exclamation, kInvalidValue);
    case Problem::NoValues:
        return refuse(QStringLiteral("Please enter some values for the variables!"), MsgIcon::Exclamation,
                      kInvalidValue);
    case Problem::NoValueMode:
        return refuse(QStringLiteral("Please select an option for trend processing"), MsgIcon::None, QString());
    case Problem::NotANumber:
        if (input.mode == korvel::ImportValues)
            return refuse(QStringLiteral("The file '%1' holds the value \"%2\", which is not a number.  Please check "
                                         "the file and try again.")
                              .arg(lblBatchFile->text(), qtext(built.offendingItem)),
                          MsgIcon::Exclamation, kInvalidValue);
        return refuse(QStringLiteral("The value \"%1\" is too large to be used.  Please modify the values.")
                          .arg(qtext(built.offendingItem)),
                      MsgIcon::Exclamation, kInvalidValue);
    case Problem::TooManyValues:
        return refuse(QStringLiteral("The file '%1' is too large: a trend takes at most %2 values.  Please check the "
                                     "file and try again.")
                          .arg(lblBatchFile->text())
                          .arg(korvel::BatchValues::kMostValues),
                      MsgIcon::Exclamation, kInvalidValue);
    case Problem::RainfallBelow:
        return refuse(
            QStringLiteral("Values for Annual Rainfall cannot be below 11 inches.  Please modify the values."),
            MsgIcon::Information, QStringLiteral("Please try again"));
    case Problem::RainfallAbove:
        return refuse(QStringLiteral("Values for Annual Rainfall cannot exceed 21 inches.  Please modify the values."),
                      MsgIcon::Information, QStringLiteral("Please try again"));
    case Problem::AboveLargest:
    case Problem::BelowLargest: {
        const QString label =
            qtext(korvel::TrendVariables::fixedTrendDescription(input.variable, cropName.toStdString()));
        const QString bound = built.problem == Problem::AboveLargest
                                  ? QStringLiteral("less than or equal to ") + limitText(input.largest)
                                  : QStringLiteral("greater than or equal to ") + limitText(-input.largest);
        return refuse(label + QStringLiteral(":  Please enter a value that's ") + bound, MsgIcon::Exclamation,
                      kInvalidValue);
    }
    }
    korvel::BatchProcess p = std::move(*built.process);
    p.cropIndex = GetCropIndex(cropName);
    return p;
}

int TrendSetupPane::GetCropIndex(const QString& cropType) const
{
    const std::string name = cropType.toStdString();
    for (int i = 0; i < main_.cropRowCount(); ++i)
        if (main_.cr(i)->crop()->cropType == name)
            return i;
    return 0;
}

std::shared_ptr<korvel::Crop> TrendSetupPane::FindCropByName(const QString& name) const
{
    std::shared_ptr<korvel::Crop> found;
    for (int i = 0; i < main_.cropRowCount(); ++i) {
        const std::shared_ptr<korvel::Crop>& crop = main_.cr(i)->crop();
        if (qtext(crop->cropType).compare(name, Qt::CaseInsensitive) == 0)
            found = crop;
    }
    return found;
}

CropRow* TrendSetupPane::cropRow(int i) const
{
    return i >= 0 && i < main_.cropRowCount() ? main_.cr(i) : nullptr;
}

korvel::TrendUnits TrendSetupPane::GetVariableUnits(int VariableIndex, int cropIndex) const
{
    CropRow* row = cropRow(cropIndex);
    return korvel::TrendVariables::units(VariableIndex, row ? row->crop()->cropUnitsArray : std::vector<std::string>{});
}

QString TrendSetupPane::SetVariableLabels(int index)
{
    const std::shared_ptr<korvel::Crop> crop = FindCropByName(cboCrops->currentText());
    QString text =
        qtext(korvel::TrendVariables::unitLabel(index, crop ? crop->cropUnitsArray : std::vector<std::string>{}));
    maximumUnits->setText(text);
    minimumUnits->setText(text);
    return text;
}

} // namespace korvel::ui
