#include "ui/main/IrrigationCostPane.h"
#include "ui/main/BoldLabel.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/Errors.h"
#include "model/Numbers.h"
#include "ui/main/BoxTexts.h"
#include "ui/main/ControlNames.h"
#include "ui/main/CostPreviews.h"
#include "ui/main/DefaultValues.h"
#include "ui/main/HelpButton.h"
#include "ui/main/InputValidation.h"
#include "ui/main/MainPane.h"
#include "ui/main/PaneHost.h"
#include "ui/platform/ReadingOrder.h"
#include "ui/platform/Twips.h"
#include "ui/platform/WholeTextBox.h"

namespace korvel::ui {

namespace {

const QString kFuelPrompt = QStringLiteral("Select fuel type");

QString formatted(double x, const char* pattern)
{
    try {
        return QString::fromStdString(num::formatPattern(x, pattern));
    } catch (const KorvelError&) {
        return QString();
    }
}

// The acreage as the run reads it.
double acresOf(const QString& text)
{
    return BoxTexts::value(text);
}

// The largest fuel price the fuel-cost box accepts, by the fuel named in the fuel box when the box is left.
double fuelCostLimit(const QString& fuel)
{
    if (fuel == QLatin1String("Diesel") || fuel == QLatin1String("Propane"))
        return 10;
    if (fuel == QLatin1String("Natural Gas"))
        return 25;
    if (fuel == QLatin1String("Electricity"))
        return 0.4;
    return 100;
}

} // namespace

IrrigationCostPane::IrrigationCostPane(PaneHost& main, QWidget* parent) : QFrame(parent), main_(main)
{
    setObjectName(QStringLiteral("pneIrrigCosts"));
    setMinimumSize(twips(11370), twips(6990));
    buildControls();
}

IrrigationCosts& IrrigationCostPane::irrigationCosts()
{
    if (!main_.state().tempIrrigationCosts)
        main_.state().tempIrrigationCosts = std::make_shared<IrrigationCosts>();
    return *main_.state().tempIrrigationCosts;
}

void IrrigationCostPane::buildControls()
{
    buildBoxes();

    lblInchHint_ = new QLabel(
        QStringLiteral("Based on a GPM, ACRES, and HOURS, you would apply x inches of water in a season"), this);
    lblInchHint_->setObjectName(QStringLiteral("lblInchHint"));
    lblInchHint_->setWordWrap(true);
    lblICosts_ = new QLabel(BoxTexts::kNoSubtotal, this);
    lblICosts_->setObjectName(QStringLiteral("lblICosts"));
    QFont bold = lblICosts_->font();
    bold.setBold(true);
    lblICosts_->setFont(bold);

    // Change handlers: every change of a box, typed or set by code.
    for (QLineEdit* b : {txtCost_, txtLaborPerHour_, txtLift_, txtPSI_, txtRepairsPerAcre_})
        connect(b, &QLineEdit::textChanged, this, [this] { ShowPumpingCost(); });
    for (QLineEdit* b : {txtGPM_, txtEstHours_})
        connect(b, &QLineEdit::textChanged, this, [this] {
            ShowPumpingCost();
            ShowSeasonInches();
        });
    // The check run when a box is left.
    for (QLineEdit* b : {txtLift_, txtPSI_, txtCost_, txtLaborPerHour_, txtRepairsPerAcre_, txtEstHours_})
        onLostFocus(b, [this, b] { leaveBox(b); });

    QGridLayout* grid = buildCostGrid();
    QGridLayout* subtotal = buildSubtotal();
    QHBoxLayout* buttons = buildButtons();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(boldLabel(QStringLiteral("Irrigation Costs"), nullptr, 4));
    layout->addWidget(boldLabel(QStringLiteral("Variable Irrigation Costs"), nullptr, 2));
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addLayout(subtotal);
    layout->addStretch(1);
    layout->addLayout(buttons);

    // Each row's help button stands left of its box.
    auto help = [this](int index) { return findHelpButton(*this, index); };
    auto named = [this](const QString& name) { return findChild<QWidget*>(name); };
    setReadingOrder({help(15),
                     txtGPM_,
                     help(16),
                     txtEstHours_,
                     help(7),
                     txtLift_,
                     help(17),
                     txtPSI_,
                     help(18),
                     cboFuelType_,
                     help(19),
                     txtCost_,
                     help(20),
                     txtLaborPerHour_,
                     help(8),
                     txtRepairsPerAcre_,
                     named(QStringLiteral("cmdDefaultIrrigCosts")),
                     named(QStringLiteral("Command4")),
                     named(arrayName(QStringLiteral("cmdCancel"), 0)),
                     named(QStringLiteral("Command9"))});
}

void IrrigationCostPane::buildBoxes()
{
    auto newBox = [this](const char* name) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setMaximumWidth(110);
        keepTextWhole(box);
        return box;
    };

    txtGPM_ = newBox("txtGPM");
    txtEstHours_ = newBox("txtEstHours");
    txtLift_ = newBox("txtLift");
    txtPSI_ = newBox("txtPSI");
    txtCost_ = newBox("txtCost");
    txtLaborPerHour_ = newBox("txtLaborPerHour");
    txtRepairsPerAcre_ = newBox("txtRepairsPerAcre");
    txtRepairsPerAcre_->setText(QStringLiteral("0.33"));

    cboFuelType_ = new QComboBox(this);
    cboFuelType_->setObjectName(QStringLiteral("cboFuelType"));
    // Our own line edit, so that a typed fuel name that merely matches an entry when the box is left is not
    // taken for a pick from the list (the combo box connects to the line edit after us, and we reset after it).
    auto* fuelEdit = new QLineEdit(cboFuelType_);
    connect(fuelEdit, &QLineEdit::editingFinished, this, [this] { fuelTextFinishing_ = true; });
    cboFuelType_->setEditable(true);
    cboFuelType_->setLineEdit(fuelEdit);
    connect(fuelEdit, &QLineEdit::editingFinished, this, [this] { fuelTextFinishing_ = false; });
    cboFuelType_->setInsertPolicy(QComboBox::NoInsert);
    cboFuelType_->setCompleter(nullptr);
    cboFuelType_->addItems({QStringLiteral("Diesel"), QStringLiteral("Propane"), QStringLiteral("Natural Gas"),
                            QStringLiteral("Electricity")});
    cboFuelType_->setCurrentIndex(-1);
    cboFuelType_->setEditText(kFuelPrompt);
    cboFuelType_->setMinimumWidth(160);
    connect(cboFuelType_, &QComboBox::activated, this, [this] {
        if (!fuelTextFinishing_)
            fuelPicked();
    });
}

QGridLayout* IrrigationCostPane::buildCostGrid()
{
    auto helpButton = [this](int index) { return makeHelpButton(main_, index, this); };

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    int row = 0;
    auto addRow = [&](const QString& caption, int help, QWidget* field, const QString& unit) {
        grid->addWidget(new QLabel(caption, this), row, 0);
        if (help >= 0)
            grid->addWidget(helpButton(help), row, 1);
        grid->addWidget(field, row, 2);
        if (!unit.isEmpty())
            grid->addWidget(new QLabel(unit, this), row, 3);
        ++row;
    };
    addRow(QStringLiteral("GPM - Discharge rate in gallons per minute"), 15, txtGPM_, QStringLiteral("GPM"));
    addRow(QStringLiteral("Total Season Pumping Hours"), 16, txtEstHours_, QStringLiteral("hours"));
    grid->addWidget(new QLabel(QStringLiteral("How much are you pumping?"), this), row, 0);
    grid->addWidget(lblInchHint_, row++, 2, 1, 3);
    addRow(QStringLiteral("Pumping Water Lift"), 7, txtLift_, QStringLiteral("feet"));
    addRow(QStringLiteral("Irrigation system operating pressure (psi)"), 17, txtPSI_, QStringLiteral("psi"));
    addRow(QStringLiteral("Fuel Type"), 18, cboFuelType_, QString());
    addRow(QStringLiteral("Fuel Cost"), 19, txtCost_, QStringLiteral("per fuel unit"));
    addRow(QStringLiteral("Labor"), 20, txtLaborPerHour_, QStringLiteral("/ hour"));
    addRow(QStringLiteral("Repairs and Maintenance"), 8, txtRepairsPerAcre_, QStringLiteral("/ ac-in"));
    grid->setColumnStretch(4, 1);
    return grid;
}

QGridLayout* IrrigationCostPane::buildSubtotal()
{
    auto* subtotal = new QGridLayout;
    subtotal->addWidget(new QLabel(QStringLiteral("Irrigation Costs Subtotal:"), this), 0, 0);
    subtotal->addWidget(lblICosts_, 0, 1);
    subtotal->addWidget(new QLabel(QStringLiteral("*subtotal does not include labor costs"), this), 1, 1);
    subtotal->addWidget(new QLabel(QStringLiteral("*this figure is for your information only"), this), 2, 1);
    subtotal->setColumnStretch(2, 1);
    return subtotal;
}

QHBoxLayout* IrrigationCostPane::buildButtons()
{
    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    QPushButton* apply = button("Command9", QStringLiteral("Apply Costs"));
    auto* back = new QPushButton(QStringLiteral("Back"), this);
    back->setObjectName(arrayName(QStringLiteral("cmdCancel"), 0));
    QPushButton* clear = button("Command4", QStringLiteral("Clear all values on this page"));
    QPushButton* defaults = button("cmdDefaultIrrigCosts", QStringLiteral("Load Default Values"));
    connect(apply, &QPushButton::clicked, this, [this] { applyCosts(); });
    connect(back, &QPushButton::clicked, this, [this] { main_.returnToPreviousPane(); });
    connect(clear, &QPushButton::clicked, this, [this] { clearBoxes(); });
    connect(defaults, &QPushButton::clicked, this, [this] { loadDefaults(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(defaults);
    buttons->addWidget(clear);
    buttons->addStretch(1);
    buttons->addWidget(back);
    buttons->addWidget(apply);
    return buttons;
}

void IrrigationCostPane::open()
{
    main_.ShowPane(this);
    ShowSeasonInches();
    BoxTexts::blankZeroTexts(main_.hostWindow());
}

void IrrigationCostPane::applyCosts()
{
    IrrigationCosts& costs = irrigationCosts();
    costs.GPM = BoxTexts::value(txtGPM_->text());
    costs.Lift = BoxTexts::value(txtLift_->text());
    costs.PSI = BoxTexts::value(txtPSI_->text());
    costs.RepairsPerAcreInch = BoxTexts::value(txtRepairsPerAcre_->text());
    costs.cost = BoxTexts::value(txtCost_->text());
    costs.LaborPerHour = BoxTexts::value(txtLaborPerHour_->text());
    costs.FuelType = cboFuelType_->currentText().toStdString();
    costs.dblEstHours = BoxTexts::value(txtEstHours_->text());
    if (const std::optional<double> npc = CostPreviews::fuelEnergy(cboFuelType_->currentText()))
        costs.NPC = *npc;
    costs.active = true;
    main_.ShowPane(main_.pneMain());
    main_.SetMainInfo(main_.state().strMainInfo);
}

void IrrigationCostPane::clearBoxes()
{
    for (QLineEdit* b : {txtGPM_, txtEstHours_, txtLift_, txtPSI_, txtCost_, txtLaborPerHour_, txtRepairsPerAcre_})
        b->setText(QString());
    cboFuelType_->setEditText(QString());
}

void IrrigationCostPane::loadDefaults()
{
    for (const DefaultValues::BoxText& t : DefaultValues::irrigationPaneTextsBeforeFuel())
        if (QLineEdit* b = boxNamed(t.box))
            b->setText(t.text);
    selectFuel(DefaultValues::kDefaultFuelEntry);
    for (const DefaultValues::BoxText& t : DefaultValues::irrigationPaneTextsAfterFuel())
        if (QLineEdit* b = boxNamed(t.box))
            b->setText(t.text);
}

void IrrigationCostPane::fuelPicked()
{
    ShowPumpingCost();
}

void IrrigationCostPane::selectFuel(int index)
{
    if (index < 0 || index >= cboFuelType_->count())
        return;
    cboFuelType_->setCurrentIndex(index);
    cboFuelType_->setEditText(cboFuelType_->itemText(index));
    fuelPicked();
}

QLineEdit* IrrigationCostPane::boxNamed(const QString& name) const
{
    for (QLineEdit* b : {txtGPM_, txtEstHours_, txtLift_, txtPSI_, txtCost_, txtLaborPerHour_, txtRepairsPerAcre_})
        if (b->objectName() == name)
            return b;
    return nullptr;
}

// The hint keeps its own figure of 27154.2876 gallons to the acre-inch (see CostPreviews::seasonInches).
void IrrigationCostPane::ShowSeasonInches()
{
    const double gpm = BoxTexts::value(txtGPM_->text());
    const double hours = BoxTexts::value(txtEstHours_->text());
    const double acres = acresOf(main_.pneMain()->txtArea->text());
    const std::optional<double> inches = CostPreviews::seasonInches(gpm, hours, acres);
    lblInchHint_->setText(
        QStringLiteral("Based on ") + formatted(gpm, "#0") + QStringLiteral(" gpm, ") + formatted(acres, "0") +
        QStringLiteral(" acres, and ") + formatted(hours, "0") + QStringLiteral(" hours of pumping, you would apply ") +
        (inches ? formatted(*inches, "###,##0.0") : QString()) + QStringLiteral(" inches of water in a season"));
}

void IrrigationCostPane::ShowPumpingCost()
{
    const std::optional<double> npc = CostPreviews::fuelEnergy(cboFuelType_->currentText());
    if (!npc)
        return; // a fuel without an entry in the fuel table: the label keeps its text
    const double total = CostPreviews::pumpingCostPerAcreInch(
        BoxTexts::value(txtGPM_->text()), BoxTexts::value(txtLift_->text()), BoxTexts::value(txtPSI_->text()),
        BoxTexts::value(txtCost_->text()), BoxTexts::value(txtRepairsPerAcre_->text()), *npc);
    lblICosts_->setText(BoxTexts::subtotal(total, QStringLiteral(" / ac-in")));
}

void IrrigationCostPane::leaveBox(QLineEdit* b)
{
    if (b == txtLift_)
        TestInput(b, 999, QStringLiteral("Pumping Water Lift:"));
    else if (b == txtPSI_)
        TestInput(b, 200, QStringLiteral("Well Head Operating Pressure"));
    else if (b == txtCost_)
        TestInput(b, fuelCostLimit(cboFuelType_->currentText()), QStringLiteral("Fuel Cost"));
    else if (b == txtLaborPerHour_)
        TestInput(b, 100, QStringLiteral("Labor"));
    else if (b == txtRepairsPerAcre_)
        TestInput(b, 0.99, QStringLiteral("Repairs and Maintenance"));
    else if (b == txtEstHours_)
        TestInput(b, 8000, QStringLiteral("Total Season Pumping Hours"));
}

} // namespace korvel::ui
