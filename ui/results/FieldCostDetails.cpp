#include "ui/results/FieldCostDetails.h"

#include <optional>

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/main/ViewText.h"
#include "ui/platform/ReadingOrder.h"
#include "ui/platform/ReflowColumns.h"

namespace korvel::ui {

namespace {

// A label that a load fills: its objectName, no text yet.
QLabel* namedLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

void makeBold(QLabel* label)
{
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
}

// The vertical layout of a column of groups, without margins.
QVBoxLayout* columnLayout(QWidget* column)
{
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

// One group of figures: a heading, caption / value rows and a subtotal line.
class Group {
public:
    // valueWidth: the room kept for the values, which are empty until the first load.
    Group(QWidget* parent, const QString& title, int valueWidth)
        : box(new QWidget(parent)), grid_(new QGridLayout(box)), valueWidth_(valueWidth)
    {
        grid_->setContentsMargins(0, 0, 0, 6);
        grid_->setVerticalSpacing(2);
        auto* heading = new QLabel(title, box);
        makeBold(heading);
        grid_->addWidget(heading, row_++, 0, 1, 2);
        grid_->setColumnStretch(1, 1);
    }

    QLabel* value(const char* name, const QString& caption)
    {
        grid_->addWidget(new QLabel(caption, box), row_, 0);
        QLabel* label = namedLabel(box, name);
        label->setMinimumWidth(valueWidth_);
        grid_->addWidget(label, row_++, 1);
        return label;
    }

    QLabel* subtotal(const char* name)
    {
        QLabel* label = namedLabel(box, name);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        makeBold(label);
        grid_->addWidget(label, row_++, 0, 1, 2);
        return label;
    }

    QWidget* box;

private:
    QGridLayout* grid_;
    int valueWidth_;
    int row_ = 0;
};

// A widget whose one grid cell holds a group, or a column of groups, and over it the box of a trend override.
class Coverable {
public:
    explicit Coverable(QWidget* parent) : widget(new QWidget(parent)), stack_(new QGridLayout(widget))
    {
        stack_->setContentsMargins(0, 0, 0, 0);
    }

    // content and box are children of widget; the box, made last, lies on top.
    void cover(QWidget* content, QFrame* box)
    {
        stack_->addWidget(content, 0, 0);
        stack_->addWidget(box, 0, 0);
    }

    QWidget* widget;

private:
    QGridLayout* stack_;
};

// A box laid over a group: it hides the group's figures while a trend override replaces them.
QFrame* overrideBox(QWidget* parent, const QString& name, const QString& caption, const char* valueName, QLabel*& value)
{
    auto* box = new QFrame(parent);
    box->setObjectName(name);
    box->setFrameShape(QFrame::Box);
    box->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(box);
    auto* heading = new QLabel(caption, box);
    makeBold(heading);
    layout->addWidget(heading);
    value = namedLabel(box, valueName);
    layout->addWidget(value);
    layout->addStretch(1);
    box->hide();
    return box;
}

// Seed price and rate units: by the pound for these three crops, by the thousand seeds for every other.
bool seedByThePound(const std::string& cropType)
{
    return cropType == "Alfalfa" || cropType == "Grain Sorghum" || cropType == "Wheat";
}

const QString kDollar = QStringLiteral("$");
const QString kPerAcre = QStringLiteral(" /acre");
const QString kSubtotal = QStringLiteral("Subtotal: $");
const QString kInch = QStringLiteral("''");

// A cost per acre in dollars: "$12.50 /acre".
QString perAcre(double cost, const char* digits)
{
    return kDollar + pattern(cost, digits) + kPerAcre;
}

// A group's subtotal line: "Subtotal: $170.00 /acre".
QString subtotalText(double cost)
{
    return kSubtotal + pattern(cost, "###,##0.00") + kPerAcre;
}

// The field's seed cost; asking for it puts an optimal seeding rate in place.
double seedCostOf(Field& fld, const SessionState& s)
{
    Crop& crop = *fld.theCrop;
    double gross = fld.grossDepth(s);
    return crop.inputCosts.getSeedCost(fld.acres, crop.Yield, crop.cropType, gross, fld.efficiency(s));
}

} // namespace

// How the field's crop spreads seed, tillage and planting: a forage crop (its unit is "ton") over its stand
// life, where a stand of 0 counts as one year, as the production costs count it; any other crop over one year.
struct FieldCostDetails::StandSpread {
    explicit StandSpread(const Crop& crop)
        : forage(singularUnit(crop) == QStringLiteral("ton")), marker(forage ? QStringLiteral("*") : QString())
    {
        tryStep([&] {
            double d = 1;
            if (forage) {
                d = crop.inputCosts.AlfalfaStand.number();
                if (d == 0)
                    d = 1;
            }
            divisor = d;
        });
    }

    // The years the costs are spread over; throws when the stand life is not a number (the step is skipped).
    double years() const { return divisor.value(); }

    bool forage;
    QString marker; // "*" before the values a forage crop spreads
    std::optional<double> divisor;
};

FieldCostDetails::FieldCostDetails(const SessionState& session, QWidget* parent) : QWidget(parent), session_(session)
{
    auto* layout = new QVBoxLayout(this);
    // Three columns; where the window is too narrow for them, the field information moves below the others.
    auto* columns = new ReflowColumns(this);
    layout->addWidget(columns);
    columns->addColumn(buildProductionCostColumn(), 1);
    columns->addColumn(buildIrrigationAndReturnsColumn(), 1);
    columns->addColumn(buildFieldInformationColumn(), 1);
    layout->addLayout(buildButtons());

    connect(printButton, &QPushButton::clicked, this, &FieldCostDetails::printReport);
    connect(backButton, &QPushButton::clicked, this, &FieldCostDetails::goBack);
}

// Left column: General Input Costs and Operation Costs, under the production-cost override box, and the
// annualized-cost note.
QWidget* FieldCostDetails::buildProductionCostColumn()
{
    auto* column = new QWidget(this);
    QVBoxLayout* layout = columnLayout(column);
    Coverable covered(column);
    auto* groups = new QWidget(covered.widget);
    QVBoxLayout* groupsLayout = columnLayout(groups);
    groupsLayout->addWidget(buildGeneralInputCosts(groups));
    groupsLayout->addWidget(buildOperationCosts(groups));
    groupsLayout->addStretch(1);
    picBatch[0] = overrideBox(covered.widget, arrayName(QStringLiteral("picBatch"), 0),
                              QStringLiteral("General Production Costs:"), "lblBatchGeneralProductionCost",
                              lblBatchGeneralProductionCost);
    covered.cover(groups, picBatch[0]);
    layout->addWidget(covered.widget, 1);
    lblAnnualized = namedLabel(column, "lblAnnualized");
    layout->addWidget(lblAnnualized);
    return column;
}

// Middle column: Irrigation Cost Information (under the irrigation override box), Miscellaneous Costs,
// Land Returns.
QWidget* FieldCostDetails::buildIrrigationAndReturnsColumn()
{
    auto* column = new QWidget(this);
    QVBoxLayout* layout = columnLayout(column);
    Coverable covered(column);
    QWidget* irrigation = buildIrrigationCostInformation(covered.widget);
    picBatch[1] = overrideBox(covered.widget, arrayName(QStringLiteral("picBatch"), 1),
                              QStringLiteral("Irrigation Costs:"), "lblBatchIrrigationCosts", lblBatchIrrigationCosts);
    covered.cover(irrigation, picBatch[1]);
    layout->addWidget(covered.widget);
    layout->addWidget(buildMiscellaneousCosts(column));
    layout->addWidget(buildLandReturns(column));
    layout->addStretch(1);
    return column;
}

// Right column: Field Information & Totals and the stand-life note.
QWidget* FieldCostDetails::buildFieldInformationColumn()
{
    auto* column = new QWidget(this);
    QVBoxLayout* layout = columnLayout(column);
    layout->addWidget(buildFieldInformation(column));
    lblAlfDetails = namedLabel(column, "lblAlfDetails");
    lblAlfDetails->setWordWrap(true);
    layout->addWidget(lblAlfDetails);
    layout->addStretch(1);
    return column;
}

QWidget* FieldCostDetails::buildGeneralInputCosts(QWidget* parent)
{
    Group general(parent, QStringLiteral("General Input Costs"), 130);
    lblNC = general.value("lblNC", QStringLiteral("Nitrogen Cost:"));
    lblNAPA = general.value("lblNAPA", QStringLiteral("Nitrogen Applied Per Acre:"));
    lblPC = general.value("lblPC", QStringLiteral("Phosphorus Cost:"));
    lblPAPA = general.value("lblPAPA", QStringLiteral("Phosphorus Applied Per Acre:"));
    lblSC = general.value("lblSC", QStringLiteral("Seed Cost:"));
    lblSPR = general.value("lblSPR", QStringLiteral("Seeds Planting Rate:"));
    lblHC = general.value("lblHC", QStringLiteral("Herbicide Cost:"));
    lblI = general.value("lblI", QStringLiteral("Insecticide:"));
    lblGeneralCosts = general.subtotal("lblGeneralCosts");
    return general.box;
}

QWidget* FieldCostDetails::buildOperationCosts(QWidget* parent)
{
    Group operation(parent, QStringLiteral("Operation Costs"), 130);
    lblTC = operation.value("lblTC", QStringLiteral("Tillage Cost:"));
    lblPlantCost = operation.value("lblPlantCost", QStringLiteral("Planting Cost:"));
    lblFertApplicationCost = operation.value("lblFertApplicationCost", QStringLiteral("Fertilizer Application Cost:"));
    lblHAC = operation.value("lblHAC", QStringLiteral("Herbicide Application Cost:"));
    lblIAC = operation.value("lblIAC", QStringLiteral("Insecticide Application Cost:"));
    lblHarvestTotalCost = operation.value("lblHarvestTotalCost", QStringLiteral("Harvesting Costs:"));
    lblApplicationCosts = operation.subtotal("lblApplicationCosts");
    return operation.box;
}

QWidget* FieldCostDetails::buildIrrigationCostInformation(QWidget* parent)
{
    Group irrigation(parent, QStringLiteral("Irrigation Cost Information:"), 110);
    lblGPM = irrigation.value("lblGPM", QStringLiteral("Discharge Rate:"));
    lblPWL = irrigation.value("lblPWL", QStringLiteral("Pumping Water Lift:"));
    lblPSI = irrigation.value("lblPSI", QStringLiteral("Well head operating pressure:"));
    lblFT = irrigation.value("lblFT", QStringLiteral("Fuel Type:"));
    lblFC = irrigation.value("lblFC", QStringLiteral("Fuel Cost:"));
    lblLC = irrigation.value("lblLC", QStringLiteral("Labor Cost:"));
    lblMaint = irrigation.value("lblMaint", QStringLiteral("Maintenance & Repairs:"));
    lblHours = irrigation.value("lblHours", QStringLiteral("Total Season Pumping Hours:"));
    lblIrrigationCosts = irrigation.subtotal("lblIrrigationCosts");
    return irrigation.box;
}

QWidget* FieldCostDetails::buildMiscellaneousCosts(QWidget* parent)
{
    Group misc(parent, QStringLiteral("Miscellaneous Costs"), 110);
    lblMC = misc.value("lblMC", QStringLiteral("Misc. Costs:"));
    lblSubTotalMC = misc.subtotal("lblSubTotalMC");
    return misc.box;
}

QWidget* FieldCostDetails::buildLandReturns(QWidget* parent)
{
    Group land(parent, QStringLiteral("Land Returns"), 110);
    lblMR = land.value("lblMR", QStringLiteral("Misc. Returns:"));
    lblReturns = land.subtotal("lblReturns");
    return land.box;
}

QWidget* FieldCostDetails::buildFieldInformation(QWidget* parent)
{
    Group info(parent, QStringLiteral("Field Information & Totals"), 100);
    lblAcres = info.value("lblAcres", QStringLiteral("Acres:"));
    lblCrop = info.value("lblCrop", QStringLiteral("Crop:"));
    lblCropPrice = info.value("lblCropPrice", QStringLiteral("Crop Price:"));
    lblYield = info.value("lblYield", QStringLiteral("Yield:"));
    lblGross = info.value("lblGross", QStringLiteral("Gross Irrigation:"));
    lblRain = info.value("lblRain", QStringLiteral("Effective Annual Rainfall"));
    lblTotalCosts = info.value("lblTotalCosts", QStringLiteral("Total Costs Per Acre:"));
    lblTotalReturns = info.value("lblTotalReturns", QStringLiteral("Total Returns Per Acre:"));
    lblTotalProfit = info.value("lblTotalProfit", QStringLiteral("Net Return Per Acre:"));
    return info.box;
}

QHBoxLayout* FieldCostDetails::buildButtons()
{
    auto* buttons = new QHBoxLayout;
    printButton = new QPushButton(QStringLiteral("Print Details"), this);
    printButton->setObjectName(QStringLiteral("Command2"));
    backButton = new QPushButton(QStringLiteral("Back"), this);
    backButton->setObjectName(QStringLiteral("Command3"));
    buttons->addStretch(1);
    buttons->addWidget(printButton);
    buttons->addWidget(backButton);
    setReadingOrder({printButton, backButton});
    // The pane opens with the focus on Back: Enter right after opening never starts a print.
    markFirstFocus(backButton);
    return buttons;
}

void FieldCostDetails::loadCosts(const Field& f)
{
    detailField = f.Copy();
    Field& fld = *detailField;
    // The field's seed cost, asked first so that an optimal seeding rate is in place before it is shown.
    tryStep([&] { seedCostOf(fld, session_); });
    const StandSpread stand(*fld.theCrop);

    showOverrides(fld);
    showGeneralInputCosts(fld, stand);
    showOperationCosts(fld, stand);
    showLandReturns(fld);
    showIrrigationCostInformation(fld);
    showFieldInformation(fld);
    showMiscellaneousCosts(fld);
    showStandNotes(fld, stand);

    if (hooks.setPrinterField)
        hooks.setPrinterField(detailField->Copy());
    if (hooks.setPrintEnabled)
        hooks.setPrintEnabled(true);
}

// The trend override boxes, each shown while its override is in force.
void FieldCostDetails::showOverrides(Field& fld)
{
    const inputCosts& costs = fld.theCrop->inputCosts;
    IrrigationCosts& irrig = *fld.irrigCosts;
    if (costs.UseBatch) {
        picBatch[0]->show();
        showStep(lblBatchGeneralProductionCost,
                 [&] { return kDollar + plain(costs.BatchGeneralCosts) + QStringLiteral(" per acre"); });
    } else {
        picBatch[0]->hide();
    }
    if (irrig.UseBatch) {
        picBatch[1]->show();
        // The override's cost of one acre at the field's net depth.
        showStep(lblBatchIrrigationCosts, [&] {
            return kDollar + plain(irrig.getCosts(fld.Depth, 1.0, fld.efficiency(session_))) +
                   QStringLiteral(" per acre");
        });
    } else {
        picBatch[1]->hide();
    }
}

void FieldCostDetails::showGeneralInputCosts(Field& fld, const StandSpread& stand)
{
    const Crop& crop = *fld.theCrop;
    const inputCosts& costs = crop.inputCosts;
    const bool byThePound = seedByThePound(crop.cropType);
    const QString seedPriceUnit = byThePound ? QStringLiteral(" / lb") : QStringLiteral(" / 1,000 seeds");
    const QString seedRateUnit = byThePound ? QStringLiteral(" lb/ac") : QStringLiteral(" seeds/acre");
    showStep(lblNC, [&] { return kDollar + plain(costs.NitrogenCost) + QStringLiteral("/lb"); });
    showStep(lblNAPA, [&] { return pattern(costs.NPerAcre, "###,##0.0") + QStringLiteral(" lb/ac"); });
    showStep(lblPC, [&] { return kDollar + plain(costs.PCost) + QStringLiteral("/lb"); });
    showStep(lblPAPA, [&] { return pattern(costs.PPerAcre, "###,##0.0") + QStringLiteral(" lb/ac"); });
    showStep(lblSC, [&] {
        return stand.marker + kDollar + pattern(costs.SeedCost / stand.years(), "##0.00") + seedPriceUnit;
    });
    showStep(lblSPR, [&] { return pattern(costs.SeedRate, "###,###") + seedRateUnit; });
    showStep(lblHC, [&] { return perAcre(costs.Herbicide, "###,###.00"); });
    showStep(lblI, [&] { return perAcre(costs.Insecticide, "###,###.00"); });
    showStep(lblGeneralCosts, [&] {
        return subtotalText(costs.NitrogenCost * costs.NPerAcre + costs.PCost * costs.PPerAcre +
                            seedCostOf(fld, session_) / fld.acres / stand.years() + costs.Herbicide +
                            costs.Insecticide);
    });
}

void FieldCostDetails::showOperationCosts(Field& fld, const StandSpread& stand)
{
    const Crop& crop = *fld.theCrop;
    const inputCosts& costs = crop.inputCosts;
    const auto harvestCost = [&] { return costs.getHarvestCost(fld.acres, crop.Yield, crop.cropType); };
    showStep(lblTC, [&] { return stand.marker + perAcre(costs.Tillage / stand.years(), "###.00"); });
    showStep(lblPlantCost, [&] { return stand.marker + perAcre(costs.Planting / stand.years(), "###.00"); });
    showStep(lblFertApplicationCost, [&] { return perAcre(costs.FertilizerApplication, "###,###.00"); });
    showStep(lblHAC, [&] { return perAcre(costs.HerbicideApplication, "###,###.00"); });
    showStep(lblIAC, [&] { return perAcre(costs.InsecticideApplication, "###,###.00"); });
    showStep(lblHarvestTotalCost, [&] { return perAcre(harvestCost() / fld.acres, "###,##0.00"); });
    showStep(lblApplicationCosts, [&] {
        return subtotalText((costs.Tillage + costs.Planting) / stand.years() + costs.FertilizerApplication +
                            costs.HerbicideApplication + costs.InsecticideApplication + harvestCost() / fld.acres);
    });
}

void FieldCostDetails::showLandReturns(Field& fld)
{
    const inputCosts& costs = fld.theCrop->inputCosts;
    showStep(lblMR, [&] { return perAcre(costs.Returns, "###,##0.00"); });
    showStep(lblReturns, [&] { return subtotalText(costs.Returns); });
}

// The pumping hours are this field's own (none for a field without water).
void FieldCostDetails::showIrrigationCostInformation(Field& fld)
{
    const SessionState& s = session_;
    IrrigationCosts& irrig = *fld.irrigCosts;
    showStep(lblGPM, [&] { return plain(irrig.GPM) + QStringLiteral(" GPM"); });
    showStep(lblPWL, [&] { return plain(irrig.Lift) + QStringLiteral(" feet"); });
    showStep(lblPSI, [&] { return plain(irrig.PSI) + QStringLiteral(" psi"); });
    showStep(lblFT, [&] { return qtext(irrig.FuelType); });
    showStep(lblFC, [&] { return kDollar + pattern(irrig.cost, "###.00") + QStringLiteral("/ unit"); });
    showStep(lblLC, [&] { return kDollar + plain(irrig.LaborPerHour) + QStringLiteral(" /hr"); });
    showStep(lblMaint, [&] { return kDollar + plain(irrig.RepairsPerAcreInch) + QStringLiteral(" /acre-inch"); });
    showStep(lblHours, [&] { return hoursText(irrig.fieldHours(fld.Depth, fld.acres, fld.efficiency(s))); });
    showStep(lblIrrigationCosts,
             [&] { return subtotalText(irrig.getCosts(fld.Depth, fld.acres, fld.efficiency(s)) / fld.acres); });
}

void FieldCostDetails::showFieldInformation(Field& fld)
{
    const SessionState& s = session_;
    const Crop& crop = *fld.theCrop;
    showStep(lblAcres, [&] { return plain(fld.acres); });
    showStep(lblCrop, [&] { return qtext(crop.cropType); });
    showStep(lblCropPrice, [&] { return kDollar + plain(crop.price) + QStringLiteral(" /") + singularUnit(crop); });
    showStep(lblYield, [&] { return qtext(crop.yieldToString()); });
    showStep(lblGross, [&] { return pattern(fld.grossDepth(s), "###,##0.0") + kInch; });
    showStep(lblRain, [&] { return pattern(fld.annualRain, "###,##0.0") + kInch; });
    showStep(lblTotalCosts, [&] { return kDollar + pattern(fld.getCosts(s) / fld.acres, "###,##0"); });
    showStep(lblTotalReturns, [&] { return kDollar + pattern(fld.getReturn() / fld.acres, "###,##0"); });
    showStep(lblTotalProfit, [&] { return kDollar + pattern(fld.getProfit(s) / fld.acres, "###,##0"); });
}

void FieldCostDetails::showMiscellaneousCosts(Field& fld)
{
    const inputCosts& costs = fld.theCrop->inputCosts;
    showStep(lblMC, [&] { return perAcre(costs.MiscCost, "###,##0.00"); });
    showStep(lblSubTotalMC, [&] { return perAcre(costs.MiscCost, "###,##0.00"); });
}

// A forage crop's stand life and the note on its spread costs; nothing for any other crop.
void FieldCostDetails::showStandNotes(Field& fld, const StandSpread& stand)
{
    const Crop& crop = *fld.theCrop;
    if (stand.forage) {
        showStep(lblAlfDetails, [&] {
            return QStringLiteral("Life of ") + qtext(crop.cropType) + QStringLiteral(" stand is ") +
                   plain(stand.years()) + QStringLiteral(" years");
        });
        showStep(lblAnnualized, [&] {
            return QStringLiteral("*Input cost annualized over the ") + plain(stand.years()) +
                   QStringLiteral(" year stand");
        });
    } else {
        lblAlfDetails->clear();
        lblAnnualized->clear();
    }
}

void FieldCostDetails::printReport()
{
    if (hooks.printDetails)
        hooks.printDetails();
}

void FieldCostDetails::goBack()
{
    if (session_.TrendMode) {
        if (hooks.showTrendResultsPane)
            hooks.showTrendResultsPane();
    } else if (hooks.showResultsPane) {
        hooks.showResultsPane();
    }
}

} // namespace korvel::ui
