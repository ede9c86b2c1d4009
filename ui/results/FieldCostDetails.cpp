#include "ui/results/FieldCostDetails.h"

#include <optional>

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/results/ViewText.h"

namespace korvel::ui {

namespace {

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
        QFont font = heading->font();
        font.setBold(true);
        heading->setFont(font);
        grid_->addWidget(heading, row_++, 0, 1, 2);
        grid_->setColumnStretch(1, 1);
    }

    QLabel* value(const char* name, const QString& caption)
    {
        grid_->addWidget(new QLabel(caption, box), row_, 0);
        QLabel* label = named(name);
        label->setMinimumWidth(valueWidth_);
        grid_->addWidget(label, row_++, 1);
        return label;
    }

    QLabel* subtotal(const char* name)
    {
        QLabel* label = named(name);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        grid_->addWidget(label, row_++, 0, 1, 2);
        return label;
    }

    QWidget* box;

private:
    QLabel* named(const char* name)
    {
        auto* label = new QLabel(box);
        label->setObjectName(QString::fromLatin1(name));
        return label;
    }

    QGridLayout* grid_;
    int valueWidth_;
    int row_ = 0;
};

// A box laid over a group: it hides the group's figures while a trend override replaces them.
QFrame* overrideBox(QWidget* parent, const QString& name, const QString& caption, const char* valueName,
                    QLabel*& value)
{
    auto* box = new QFrame(parent);
    box->setObjectName(name);
    box->setFrameShape(QFrame::Box);
    box->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(box);
    auto* heading = new QLabel(caption, box);
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    layout->addWidget(heading);
    value = new QLabel(box);
    value->setObjectName(QString::fromLatin1(valueName));
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

} // namespace

FieldCostDetails::FieldCostDetails(const SessionState& session, QWidget* parent) : QWidget(parent), session_(session)
{
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns);

    // Left column: General Input Costs and Operation Costs, under the production-cost override box.
    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    auto* leftCovered = new QWidget(left);
    auto* leftStack = new QGridLayout(leftCovered);
    leftStack->setContentsMargins(0, 0, 0, 0);
    auto* leftGroups = new QWidget(leftCovered);
    auto* leftGroupsLayout = new QVBoxLayout(leftGroups);
    leftGroupsLayout->setContentsMargins(0, 0, 0, 0);

    Group general(leftGroups, QStringLiteral("General Input Costs"), 130);
    lblNC = general.value("lblNC", QStringLiteral("Nitrogen Cost:"));
    lblNAPA = general.value("lblNAPA", QStringLiteral("Nitrogen Applied Per Acre:"));
    lblPC = general.value("lblPC", QStringLiteral("Phosphorus Cost:"));
    lblPAPA = general.value("lblPAPA", QStringLiteral("Phosphorus Applied Per Acre:"));
    lblSC = general.value("lblSC", QStringLiteral("Seed Cost:"));
    lblSPR = general.value("lblSPR", QStringLiteral("Seeds Planting Rate:"));
    lblHC = general.value("lblHC", QStringLiteral("Herbicide Cost:"));
    lblI = general.value("lblI", QStringLiteral("Insecticide:"));
    lblGeneralCosts = general.subtotal("lblGeneralCosts");
    leftGroupsLayout->addWidget(general.box);

    Group operation(leftGroups, QStringLiteral("Operation Costs"), 130);
    lblTC = operation.value("lblTC", QStringLiteral("Tillage Cost:"));
    lblPlantCost = operation.value("lblPlantCost", QStringLiteral("Planting Cost:"));
    lblFertApplicationCost = operation.value("lblFertApplicationCost", QStringLiteral("Fertilizer Application Cost:"));
    lblHAC = operation.value("lblHAC", QStringLiteral("Herbicide Application Cost:"));
    lblIAC = operation.value("lblIAC", QStringLiteral("Insecticide Application Cost:"));
    lblHarvestTotalCost = operation.value("lblHarvestTotalCost", QStringLiteral("Harvesting Costs:"));
    lblApplicationCosts = operation.subtotal("lblApplicationCosts");
    leftGroupsLayout->addWidget(operation.box);
    leftGroupsLayout->addStretch(1);

    picBatch[0] = overrideBox(leftCovered, arrayName(QStringLiteral("picBatch"), 0),
                              QStringLiteral("General Production Costs:"), "lblBatchGeneralProductionCost",
                              lblBatchGeneralProductionCost);
    leftStack->addWidget(leftGroups, 0, 0);
    leftStack->addWidget(picBatch[0], 0, 0);
    leftLayout->addWidget(leftCovered, 1);
    lblAnnualized = new QLabel(left);
    lblAnnualized->setObjectName(QStringLiteral("lblAnnualized"));
    leftLayout->addWidget(lblAnnualized);
    columns->addWidget(left, 1);

    // Middle column: Irrigation Cost Information (under the irrigation override box), Miscellaneous Costs,
    // Land Returns.
    auto* middle = new QWidget(this);
    auto* middleLayout = new QVBoxLayout(middle);
    middleLayout->setContentsMargins(0, 0, 0, 0);
    auto* irrigationCovered = new QWidget(middle);
    auto* irrigationStack = new QGridLayout(irrigationCovered);
    irrigationStack->setContentsMargins(0, 0, 0, 0);
    Group irrigation(irrigationCovered, QStringLiteral("Irrigation Cost Information:"), 110);
    lblGPM = irrigation.value("lblGPM", QStringLiteral("Discharge Rate:"));
    lblPWL = irrigation.value("lblPWL", QStringLiteral("Pumping Water Lift:"));
    lblPSI = irrigation.value("lblPSI", QStringLiteral("Well head operating pressure:"));
    lblFT = irrigation.value("lblFT", QStringLiteral("Fuel Type:"));
    lblFC = irrigation.value("lblFC", QStringLiteral("Fuel Cost:"));
    lblLC = irrigation.value("lblLC", QStringLiteral("Labor Cost:"));
    lblMaint = irrigation.value("lblMaint", QStringLiteral("Maintenance & Repairs:"));
    lblHours = irrigation.value("lblHours", QStringLiteral("Total Season Pumping Hours:"));
    lblIrrigationCosts = irrigation.subtotal("lblIrrigationCosts");
    picBatch[1] = overrideBox(irrigationCovered, arrayName(QStringLiteral("picBatch"), 1),
                              QStringLiteral("Irrigation Costs:"), "lblBatchIrrigationCosts", lblBatchIrrigationCosts);
    irrigationStack->addWidget(irrigation.box, 0, 0);
    irrigationStack->addWidget(picBatch[1], 0, 0);
    middleLayout->addWidget(irrigationCovered);

    Group misc(middle, QStringLiteral("Miscellaneous Costs"), 110);
    lblMC = misc.value("lblMC", QStringLiteral("Misc. Costs:"));
    lblSubTotalMC = misc.subtotal("lblSubTotalMC");
    middleLayout->addWidget(misc.box);

    Group land(middle, QStringLiteral("Land Returns"), 110);
    lblMR = land.value("lblMR", QStringLiteral("Misc. Returns:"));
    lblReturns = land.subtotal("lblReturns");
    middleLayout->addWidget(land.box);
    middleLayout->addStretch(1);
    columns->addWidget(middle, 1);

    // Right column: Field Information & Totals and the stand-life note.
    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    Group info(right, QStringLiteral("Field Information & Totals"), 100);
    lblAcres = info.value("lblAcres", QStringLiteral("Acres:"));
    lblCrop = info.value("lblCrop", QStringLiteral("Crop:"));
    lblCropPrice = info.value("lblCropPrice", QStringLiteral("Crop Price:"));
    lblYield = info.value("lblYield", QStringLiteral("Yield:"));
    lblGross = info.value("lblGross", QStringLiteral("Gross Irrigation:"));
    lblRain = info.value("lblRain", QStringLiteral("Effective Annual Rainfall"));
    lblTotalCosts = info.value("lblTotalCosts", QStringLiteral("Total Costs Per Acre:"));
    lblTotalReturns = info.value("lblTotalReturns", QStringLiteral("Total Returns Per Acre:"));
    lblTotalProfit = info.value("lblTotalProfit", QStringLiteral("Net Return Per Acre:"));
    rightLayout->addWidget(info.box);
    lblAlfDetails = new QLabel(right);
    lblAlfDetails->setObjectName(QStringLiteral("lblAlfDetails"));
    lblAlfDetails->setWordWrap(true);
    rightLayout->addWidget(lblAlfDetails);
    rightLayout->addStretch(1);
    columns->addWidget(right, 1);

    auto* buttons = new QHBoxLayout;
    printButton = new QPushButton(QStringLiteral("Print Details"), this);
    printButton->setObjectName(QStringLiteral("Command2"));
    backButton = new QPushButton(QStringLiteral("Back"), this);
    backButton->setObjectName(QStringLiteral("Command3"));
    buttons->addStretch(1);
    buttons->addWidget(printButton);
    buttons->addWidget(backButton);
    layout->addLayout(buttons);

    connect(printButton, &QPushButton::clicked, this, &FieldCostDetails::printReport);
    connect(backButton, &QPushButton::clicked, this, &FieldCostDetails::goBack);
}

void FieldCostDetails::loadCosts(const Field& f)
{
    const SessionState& s = session_;
    detailField = f.Copy();
    Field& fld = *detailField;
    Crop& crop = *fld.theCrop;
    inputCosts& costs = crop.inputCosts;
    IrrigationCosts& irrig = *fld.irrigCosts;

    // The field's seed cost, asked first so that an optimal seeding rate is in place before it is shown.
    const auto seedCost = [&] {
        double gross = fld.grossDepth(s);
        return costs.getSeedCost(fld.acres, crop.Yield, crop.cropType, gross, fld.efficiency(s));
    };
    tryStep(seedCost);

    // A forage crop (its unit is "ton") spreads seed, tillage and planting over its stand life; a stand of 0
    // counts as one year, as the production costs count it.
    const bool forage = singularUnit(crop) == QStringLiteral("ton");
    std::optional<double> divisor;
    tryStep([&] {
        double d = 1;
        if (forage) {
            d = costs.AlfalfaStand.number();
            if (d == 0)
                d = 1;
        }
        divisor = d;
    });
    const auto D = [&] { return divisor.value(); };
    const QString marker = forage ? QStringLiteral("*") : QString();

    // Trend override boxes.
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
            return kDollar + plain(irrig.getCosts(fld.Depth, 1.0, fld.efficiency(s))) + QStringLiteral(" per acre");
        });
    } else {
        picBatch[1]->hide();
    }

    const bool byThePound = seedByThePound(crop.cropType);
    const QString seedPriceUnit = byThePound ? QStringLiteral(" / lb") : QStringLiteral(" / 1,000 seeds");
    const QString seedRateUnit = byThePound ? QStringLiteral(" lb/ac") : QStringLiteral(" seeds/acre");

    // General Input Costs
    showStep(lblNC, [&] { return kDollar + plain(costs.NitrogenCost) + QStringLiteral("/lb"); });
    showStep(lblNAPA, [&] { return pattern(costs.NPerAcre, "###,##0.0") + QStringLiteral(" lb/ac"); });
    showStep(lblPC, [&] { return kDollar + plain(costs.PCost) + QStringLiteral("/lb"); });
    showStep(lblPAPA, [&] { return pattern(costs.PPerAcre, "###,##0.0") + QStringLiteral(" lb/ac"); });
    showStep(lblSC, [&] { return marker + kDollar + pattern(costs.SeedCost / D(), "##0.00") + seedPriceUnit; });
    showStep(lblSPR, [&] { return pattern(costs.SeedRate, "###,###") + seedRateUnit; });
    showStep(lblHC, [&] { return kDollar + pattern(costs.Herbicide, "###,###.00") + kPerAcre; });
    showStep(lblI, [&] { return kDollar + pattern(costs.Insecticide, "###,###.00") + kPerAcre; });
    showStep(lblGeneralCosts, [&] {
        const double G = costs.NitrogenCost * costs.NPerAcre + costs.PCost * costs.PPerAcre +
                         seedCost() / fld.acres / D() + costs.Herbicide + costs.Insecticide;
        return kSubtotal + pattern(G, "###,##0.00") + kPerAcre;
    });

    // Operation Costs
    const auto harvestCost = [&] { return costs.getHarvestCost(fld.acres, crop.Yield, crop.cropType); };
    showStep(lblTC, [&] { return marker + kDollar + pattern(costs.Tillage / D(), "###.00") + kPerAcre; });
    showStep(lblPlantCost, [&] { return marker + kDollar + pattern(costs.Planting / D(), "###.00") + kPerAcre; });
    showStep(lblFertApplicationCost,
             [&] { return kDollar + pattern(costs.FertilizerApplication, "###,###.00") + kPerAcre; });
    showStep(lblHAC, [&] { return kDollar + pattern(costs.HerbicideApplication, "###,###.00") + kPerAcre; });
    showStep(lblIAC, [&] { return kDollar + pattern(costs.InsecticideApplication, "###,###.00") + kPerAcre; });
    showStep(lblHarvestTotalCost, [&] { return kDollar + pattern(harvestCost() / fld.acres, "###,##0.00") + kPerAcre; });
    showStep(lblApplicationCosts, [&] {
        const double O = (costs.Tillage + costs.Planting) / D() + costs.FertilizerApplication +
                         costs.HerbicideApplication + costs.InsecticideApplication + harvestCost() / fld.acres;
        return kSubtotal + pattern(O, "###,##0.00") + kPerAcre;
    });

    // Land Returns
    showStep(lblMR, [&] { return kDollar + pattern(costs.Returns, "###,##0.00") + kPerAcre; });
    showStep(lblReturns, [&] { return kSubtotal + pattern(costs.Returns, "###,##0.00") + kPerAcre; });

    // Irrigation Cost Information; the pumping hours are this field's own (none for a field without water).
    showStep(lblGPM, [&] { return plain(irrig.GPM) + QStringLiteral(" GPM"); });
    showStep(lblPWL, [&] { return plain(irrig.Lift) + QStringLiteral(" feet"); });
    showStep(lblPSI, [&] { return plain(irrig.PSI) + QStringLiteral(" psi"); });
    showStep(lblFT, [&] { return qtext(irrig.FuelType); });
    showStep(lblFC, [&] { return kDollar + pattern(irrig.cost, "###.00") + QStringLiteral("/ unit"); });
    showStep(lblLC, [&] { return kDollar + plain(irrig.LaborPerHour) + QStringLiteral(" /hr"); });
    showStep(lblMaint, [&] { return kDollar + plain(irrig.RepairsPerAcreInch) + QStringLiteral(" /acre-inch"); });
    showStep(lblHours, [&] { return hoursText(irrig.fieldHours(fld.Depth, fld.acres, fld.efficiency(s))); });
    showStep(lblIrrigationCosts, [&] {
        const double I = irrig.getCosts(fld.Depth, fld.acres, fld.efficiency(s)) / fld.acres;
        return kSubtotal + pattern(I, "###,##0.00") + kPerAcre;
    });

    // Field Information & Totals
    showStep(lblAcres, [&] { return plain(fld.acres); });
    showStep(lblCrop, [&] { return qtext(crop.cropType); });
    showStep(lblCropPrice, [&] { return kDollar + plain(crop.price) + QStringLiteral(" /") + singularUnit(crop); });
    showStep(lblYield, [&] { return qtext(crop.yieldToString()); });
    showStep(lblGross, [&] { return pattern(fld.grossDepth(s), "###,##0.0") + kInch; });
    showStep(lblRain, [&] { return pattern(fld.annualRain, "###,##0.0") + kInch; });
    showStep(lblTotalCosts, [&] { return kDollar + pattern(fld.getCosts(s) / fld.acres, "###,##0"); });
    showStep(lblTotalReturns, [&] { return kDollar + pattern(fld.getReturn() / fld.acres, "###,##0"); });
    showStep(lblTotalProfit, [&] { return kDollar + pattern(fld.getProfit(s) / fld.acres, "###,##0"); });

    // Miscellaneous Costs
    showStep(lblMC, [&] { return kDollar + pattern(costs.MiscCost, "###,##0.00") + kPerAcre; });
    showStep(lblSubTotalMC, [&] { return kDollar + pattern(costs.MiscCost, "###,##0.00") + kPerAcre; });

    // Stand-life notes
    if (forage) {
        showStep(lblAlfDetails, [&] {
            return QStringLiteral("Life of ") + qtext(crop.cropType) + QStringLiteral(" stand is ") + plain(D()) +
                   QStringLiteral(" years");
        });
        showStep(lblAnnualized, [&] {
            return QStringLiteral("*Input cost annualized over the ") + plain(D()) + QStringLiteral(" year stand");
        });
    } else {
        lblAlfDetails->clear();
        lblAnnualized->clear();
    }

    if (hooks.setPrinterField)
        hooks.setPrinterField(detailField->Copy());
    if (hooks.setPrintEnabled)
        hooks.setPrintEnabled(true);
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
