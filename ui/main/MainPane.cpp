#include "ui/main/MainPane.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "model/IrrigationCosts.h"
#include "model/MakingSplits.h"
#include "model/Numbers.h"
#include "ui/main/BoxTexts.h"
#include "ui/main/ControlNames.h"
#include "ui/main/CropRow.h"
#include "ui/main/HelpButton.h"
#include "ui/main/InputValidation.h"
#include "ui/main/PaneHost.h"
#include "ui/platform/DialogService.h"
#include "ui/platform/ReadingOrder.h"
#include "ui/platform/Twips.h"

namespace korvel::ui {

namespace {

constexpr int kRowPitch = 490;     // twips between the tops of two rows
constexpr int kRowAllowance = 550; // twips of crop frame per row
constexpr int kHolderWidth = 9540;
constexpr int kHolderHeight = 3270;
constexpr int kFrameWidth = 9435;

QPixmap runPicture()
{
    QPixmap pix(96, 64);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 64);
    g.setColorAt(0, QColor(0x4c, 0xa0, 0x4c));
    g.setColorAt(1, QColor(0x1e, 0x6b, 0x1e));
    p.setBrush(g);
    p.setPen(QPen(QColor(0x12, 0x45, 0x12), 2));
    p.drawRoundedRect(QRectF(1, 1, 94, 62), 8, 8);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(14);
    p.setFont(f);
    p.drawText(QRect(0, 4, 96, 56), Qt::AlignCenter, QStringLiteral("Generate\nOutput"));
    return pix;
}

QString plain(const char* text)
{
    return QString::fromUtf8(text);
}

QLabel* caption(const char* text, QWidget* parent)
{
    return new QLabel(plain(text), parent);
}

} // namespace

MainPane::MainPane(PaneHost& main, QWidget* parent) : QFrame(parent), main_(main)
{
    setObjectName(QStringLiteral("pneMain"));
    setMinimumSize(twips(11475), twips(7275));

    QGridLayout* inputs = buildGeneralInputs();
    QHBoxLayout* split = buildLandSplit();
    buildCropFrame();

    runButton = new QPushButton(this);
    runButton->setObjectName(QStringLiteral("Command1"));
    runButton->setIcon(QIcon(runPicture()));
    runButton->setIconSize(QSize(96, 64));
    runButton->setFixedSize(106, 74);
    runButton->setToolTip(QStringLiteral("Generate Output"));

    auto* cropRow = new QHBoxLayout;
    cropRow->addWidget(cropBox, 0, Qt::AlignTop);
    cropRow->addWidget(runButton, 0, Qt::AlignVCenter);
    cropRow->addStretch(1);

    QGridLayout* notes = buildNotes();

    auto* all = new QVBoxLayout(this);
    all->setContentsMargins(8, 6, 8, 6);
    all->setSpacing(6);
    all->addLayout(inputs);
    all->addLayout(split);
    all->addLayout(cropRow);
    all->addStretch(1);
    all->addLayout(notes);

    // --- Reactions ---
    connect(txtArea, &QLineEdit::textChanged, this, [this] { getVolume(); });
    connect(txtMax, &QLineEdit::textChanged, this, [this] { showVolumeAndCheckCapacity(); });
    connect(txtSoil, &QComboBox::currentTextChanged, this, [this] { storeSoil(); });
    connect(txtSoil, &QComboBox::activated, this, [this] { storeSoil(); });
    onLostFocus(txtSoil, [this] { storeSoil(); });
    onLostFocus(txtEff, [this] { checkEfficiency(); });
    onLostFocus(txtArea, [this] { checkArea(); });
    onLostFocus(txtMax, [this] { checkGrossInches(); });
    connect(runButton, &QPushButton::clicked, this, [this] { main_.runEvaluation(); });

    setReadingOrder(controlsInReadingOrder());
}

QList<QWidget*> MainPane::controlsInReadingOrder() const
{
    auto help = [this](int index) { return findHelpButton(*this, index); };
    // The general inputs a column at a time, each box followed by its help button.
    QList<QWidget*> order{txtArea, help(0),    txtSoil, help(29), txtEff,  help(2), irrigationButton,
                          help(1), txtAnnRain, help(3), txtMax,   help(4), help(5), help(6)};
    for (QRadioButton* preset : presetButtons)
        order << preset;
    // The crop frame: the headings' help buttons, the rows in row order, its default button; then the run
    // button beside the frame.
    order << help(10) << help(9) << help(28);
    for (const CropRow* row : rows_)
        order << row->controlsInReadingOrder();
    order << defaultsButton << runButton;
    return order;
}

void MainPane::watchFocusOf(const CropRow* row)
{
    for (QWidget* control : row->controlsInReadingOrder())
        control->installEventFilter(this);
}

void MainPane::showCropRowOf(QWidget* focused)
{
    if (!cropScroll->isEnabled())
        return;
    const auto row =
        std::find_if(rows_.begin(), rows_.end(), [focused](const CropRow* r) { return r->isAncestorOf(focused); });
    if (row == rows_.end())
        return;
    const int shownTop = twips(cropScroll->value());
    const int top = (*row)->y();
    const int bottom = top + (*row)->height();
    int value = 0;
    if (top < shownTop)
        value = pixelsToTwips(top);
    else if (bottom > shownTop + cropFrameHolder->height())
        value = pixelsToTwips(bottom - cropFrameHolder->height());
    else
        return;
    // Only the rows move: a change of the scroll bar's own would also send the focus to "Load Default Values".
    const QSignalBlocker quiet(cropScroll);
    cropScroll->setValue(value);
    cropFrame->move(0, -twips(cropScroll->value()));
}

QGridLayout* MainPane::buildGeneralInputs()
{
    txtArea = new QLineEdit(this);
    txtArea->setObjectName(QStringLiteral("txtArea"));
    txtSoil = new QComboBox(this);
    txtSoil->setObjectName(QStringLiteral("txtSoil"));
    txtSoil->setEditable(true);
    txtSoil->setInsertPolicy(QComboBox::NoInsert);
    txtSoil->addItems({QStringLiteral("Silt Loam"), QStringLiteral("Fine Sand"), QStringLiteral("Loamy Sand")});
    txtSoil->setCurrentIndex(-1);
    txtSoil->setEditText(QString());
    irrigationButton = new QPushButton(QStringLiteral("Enter Irrigation Information"), this);
    irrigationButton->setObjectName(QStringLiteral("Command8"));
    txtEff = new QLineEdit(QStringLiteral("85"), this);
    txtEff->setObjectName(QStringLiteral("txtEff"));
    txtAnnRain = new QComboBox(this);
    txtAnnRain->setObjectName(QStringLiteral("txtAnnRain"));
    txtAnnRain->setEditable(true);
    txtAnnRain->setInsertPolicy(QComboBox::NoInsert);
    for (int r = 11; r <= 21; ++r)
        txtAnnRain->addItem(QString::number(r));
    txtAnnRain->setCurrentIndex(-1);
    txtAnnRain->setEditText(QString());
    txtMax = new QLineEdit(this);
    txtMax->setObjectName(QStringLiteral("txtMax"));
    lblVolume = new QLabel(this);
    lblVolume->setObjectName(QStringLiteral("lblVolume"));
    lblVolume->setFrameShape(QFrame::Panel);
    lblVolume->setFrameShadow(QFrame::Sunken);
    lblVolume->setMinimumWidth(twips(1100));

    for (QWidget* w :
         {static_cast<QWidget*>(txtArea), static_cast<QWidget*>(txtEff), static_cast<QWidget*>(txtMax),
          static_cast<QWidget*>(lblVolume), static_cast<QWidget*>(txtAnnRain), static_cast<QWidget*>(txtSoil)})
        w->setFixedWidth(twips(1300));

    auto* inputs = new QGridLayout;
    inputs->setHorizontalSpacing(6);
    inputs->setVerticalSpacing(4);
    auto addInput = [&](int row, int col, const char* text, QWidget* control, int help) {
        inputs->addWidget(caption(text, this), row, col, Qt::AlignRight | Qt::AlignVCenter);
        auto* cell = new QHBoxLayout;
        cell->setSpacing(4);
        cell->addWidget(control);
        cell->addWidget(makeHelpButton(main_, help, this));
        cell->addStretch(1);
        inputs->addLayout(cell, row, col + 1);
    };
    addInput(0, 0, "Total Acres:", txtArea, 0);
    addInput(1, 0, "Soil:", txtSoil, 29);
    addInput(2, 0, "Irrigation Efficiency %", txtEff, 2);
    addInput(3, 0, "Irrigation Costs and Capacity", irrigationButton, 1);
    inputs->setColumnMinimumWidth(2, 12);
    addInput(0, 3, "Annual Rainfall (inches):", txtAnnRain, 3);
    addInput(1, 3, "Annual Gross Irrigation Amount (inches):", txtMax, 4);
    addInput(2, 3, "Calculated Gross Water Volume: (ac-in)", lblVolume, 5);
    inputs->setColumnStretch(5, 1);
    return inputs;
}

QHBoxLayout* MainPane::buildLandSplit()
{
    auto* split = new QHBoxLayout;
    split->addWidget(caption("Land Split:", this));
    split->addWidget(makeHelpButton(main_, 6, this));
    const auto& presets = MakingSplits::landSplitPresets();
    for (int i = 0; i < 6; ++i) {
        presetButtons[static_cast<size_t>(i)] =
            new QRadioButton(QString::fromStdString(presets[static_cast<size_t>(i)].caption), this);
        presetButtons[static_cast<size_t>(i)]->setObjectName(arrayName(QStringLiteral("Option1"), i));
        split->addWidget(presetButtons[static_cast<size_t>(i)]);
    }
    split->addStretch(1);

    chkNoSplit = new QCheckBox(QStringLiteral("Evaluate no land split scenario"), this);
    chkNoSplit->setObjectName(QStringLiteral("chkNoSplit"));
    chkNoSplit->setChecked(true);
    chkNoSplit->hide();
    txtArraySize = new QLineEdit(QStringLiteral("100"), this);
    txtArraySize->setObjectName(QStringLiteral("txtArraySize"));
    txtArraySize->hide();
    return split;
}

void MainPane::buildCropFrame()
{
    cropBox = new QGroupBox(QStringLiteral("Select the Crops to Evaluate:"), this);
    cropBox->setObjectName(QStringLiteral("cropBox"));
    const int holderLeft = 8;
    const int headingTop = 22;
    const int holderTop = headingTop + 22;
    auto heading = [&](const char* text, int left, int help) {
        auto* label = caption(text, cropBox);
        label->adjustSize();
        label->move(holderLeft + twips(left), headingTop);
        auto* button = makeHelpButton(main_, help, cropBox);
        button->move(label->x() + label->width() + 4, headingTop);
    };
    heading("Price per unit:", 1815, 10);
    heading("Maximum Yield / Acre:", 4365, 9);
    heading("Input Costs & Returns", 7500, 28);

    cropFrameHolder = new QWidget(cropBox);
    cropFrameHolder->setObjectName(QStringLiteral("cropFrameHolder"));
    cropFrameHolder->setGeometry(holderLeft, holderTop, twips(kHolderWidth), twips(kHolderHeight));
    cropFrameHolder->installEventFilter(this);
    cropFrame = new QWidget(cropFrameHolder);
    cropFrame->setObjectName(QStringLiteral("cropFrame"));
    cropFrame->setGeometry(0, 0, twips(kFrameWidth), twips(kRowAllowance));
    cropScroll = new QScrollBar(Qt::Vertical, cropBox);
    cropScroll->setObjectName(QStringLiteral("cropScroll"));
    cropScroll->setGeometry(holderLeft + twips(kHolderWidth) + 2, holderTop, 17, twips(kHolderHeight));
    connect(cropScroll, &QScrollBar::valueChanged, this, [this](int v) { scrollCropRows(v); });

    defaultsButton = new QPushButton(QStringLiteral("Load Default Values"), cropBox);
    defaultsButton->setObjectName(QStringLiteral("Command7"));
    defaultsButton->adjustSize();
    defaultsButton->move(holderLeft, holderTop + twips(kHolderHeight) + 6);
    cropBox->setFixedSize(holderLeft + twips(kHolderWidth) + 2 + 17 + 8,
                          defaultsButton->y() + defaultsButton->height() + 8);

    auto* row0 = new CropRow(cropFrame);
    row0->setObjectName(arrayName(QStringLiteral("cr"), 0));
    row0->move(0, 0);
    rows_.push_back(row0);
    watchFocusOf(row0);
}

QGridLayout* MainPane::buildNotes()
{
    auto* note = caption("*Enable Batch Processing by Selecting 'Enable Batch Processing' from the Tools menu", this);
    pnlBatchInstructions = new QFrame(this);
    pnlBatchInstructions->setObjectName(QStringLiteral("pnlBatchInstructions"));
    pnlBatchInstructions->setAutoFillBackground(true);
    auto* batchNotes = new QVBoxLayout(pnlBatchInstructions);
    batchNotes->setContentsMargins(0, 0, 0, 0);
    batchNotes->setSpacing(0);
    batchNotes->addWidget(caption("*Fixed batch starts after 'Generate Output'", pnlBatchInstructions));
    batchNotes->addWidget(
        caption("*Variable irrigation batch can be initiated through the 'Tools' menu above", pnlBatchInstructions));
    pnlBatchInstructions->hide();
    auto* notes = new QGridLayout;
    notes->addWidget(note, 0, 0, Qt::AlignLeft | Qt::AlignBottom);
    notes->addWidget(pnlBatchInstructions, 0, 0);
    return notes;
}

void MainPane::getVolume()
{
    const double a = BoxTexts::value(txtArea->text());
    const double m = BoxTexts::value(txtMax->text());
    try {
        lblVolume->setText(QString::fromStdString(num::formatPattern(a * m, "###,###")));
    } catch (const std::exception&) {
        // A product too large to be a number shows no volume, so no run can start from it.
        lblVolume->setText(QString());
    }
}

void MainPane::capacityCheck()
{
    const auto& costs = main_.state().tempIrrigationCosts;
    if (!costs || !(costs->GPM > 0) || !(costs->dblEstHours > 0))
        return;
    const double a = BoxTexts::value(txtArea->text());
    const double m = BoxTexts::value(txtMax->text());
    // A negative acreage is no farm: its "capacity" would be a negative number of inches.
    if (a < 0)
        return;
    try {
        const double limit = costs->getMaxInches(a);
        if (!(m > limit))
            return;
        const QString text =
            QStringLiteral("According to the seasonal pumping hours entered on the Irrigation Cost screen of ") +
            QString::fromStdString(num::formatPattern(costs->dblEstHours, "###,###")) + QStringLiteral(" hours, ") +
            QStringLiteral("\n") + QStringLiteral("your system cannot pump more than ") +
            QString::fromStdString(num::formatPattern(limit, "###,###.0")) + QStringLiteral(" inches.");
        showMessage(window(), text, MsgButtons::Ok, MsgIcon::None, QStringLiteral("Capacity Exceeded"));
    } catch (const std::exception&) {
        // A capacity that is not a finite number cannot be compared or written; the warning is advice only.
    }
}

void MainPane::showVolumeAndCheckCapacity()
{
    getVolume();
    capacityCheck();
}

void MainPane::storeSoil()
{
    main_.state().currentSoil = txtSoil->currentText();
}

void MainPane::checkEfficiency()
{
    TestInput(txtEff, 100, QStringLiteral("Irrigation Efficiency %"));
}

namespace {

const QString kAreaLabel = QStringLiteral("Total Acres");
const QString kGrossInchesLabel = QStringLiteral("Annual Gross Irrigation Amount (inches)");

} // namespace

void MainPane::checkArea()
{
    TestInput(txtArea, kLargestAcres, kAreaLabel);
}

void MainPane::checkGrossInches()
{
    TestInput(txtMax, kLargestGrossInches, kGrossInchesLabel);
}

QString MainPane::valueBeyondLimit() const
{
    const struct {
        const QLineEdit* box;
        double limit;
        const QString& label;
    } boxes[] = {{txtArea, kLargestAcres, kAreaLabel}, {txtMax, kLargestGrossInches, kGrossInchesLabel}};
    for (const auto& b : boxes)
        if (!(BoxTexts::value(b.box->text()) <= b.limit))
            return aboveLimitMessage(b.limit, b.label);
    return QString();
}

int MainPane::selectedPreset() const
{
    for (int i = 0; i < 6; ++i)
        if (presetButtons[static_cast<size_t>(i)]->isChecked())
            return i;
    return -1;
}

void MainPane::selectPreset(int index)
{
    if (index >= 0 && index < 6)
        presetButtons[static_cast<size_t>(index)]->setChecked(true);
}

CropRow* MainPane::row(int i) const
{
    return i >= 0 && i < rowCount() ? rows_[static_cast<size_t>(i)] : nullptr;
}

void MainPane::closeRowsAfterFirst()
{
    while (rows_.size() > 1) {
        delete rows_.back();
        rows_.pop_back();
    }
}

CropRow* MainPane::createRow(int i)
{
    if (i == 0)
        return rows_.front();
    auto* record = new CropRow(cropFrame);
    record->setObjectName(arrayName(QStringLiteral("cr"), i));
    // 490 twips below the row before it, counted in twips so that the pixel positions do not drift.
    record->move(0, twips(i * kRowPitch));
    record->show();
    // The new row's controls follow those of the row above it, before the frame's default button.
    QList<QWidget*> order{rows_.back()->controlsInReadingOrder().back()};
    order << record->controlsInReadingOrder() << defaultsButton;
    setReadingOrder(order);
    watchFocusOf(record);
    rows_.push_back(record);
    return record;
}

void MainPane::InitializeCropFrame()
{
    const int frameHeight = rowCount() * kRowAllowance;
    cropFrame->resize(twips(kFrameWidth), twips(frameHeight));
    cropScroll->setMinimum(0);
    int maximum = frameHeight - kHolderHeight;
    // The bar is usable exactly when the rows do not all fit.
    cropScroll->setEnabled(maximum > 0);
    if (maximum < 0)
        maximum = 0;
    cropScroll->setMaximum(maximum);
    cropScroll->setSingleStep(100);
    cropScroll->setPageStep(300);
}

void MainPane::scrollCropRows(int value)
{
    cropFrame->move(0, -twips(value));
    defaultsButton->setFocus(Qt::OtherFocusReason);
}

bool MainPane::eventFilter(QObject* watched, QEvent* event)
{
    // The wheel over the rows moves the scroll bar.
    if (watched == cropFrameHolder && event->type() == QEvent::Wheel && cropScroll->isEnabled()) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        const int steps = wheel->angleDelta().y() / 120;
        if (steps != 0)
            cropScroll->setValue(cropScroll->value() - steps * cropScroll->singleStep());
        return true;
    }
    // A crop row scrolled out of the frame comes into view when one of its controls takes the focus.
    if (event->type() == QEvent::FocusIn && watched->isWidgetType())
        showCropRowOf(static_cast<QWidget*>(watched));
    return QFrame::eventFilter(watched, event);
}

} // namespace korvel::ui
