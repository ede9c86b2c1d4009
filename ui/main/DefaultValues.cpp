#include "ui/main/DefaultValues.h"

#include <array>

#include "ui/main/CropRow.h"
#include "ui/main/IrrigationCostPane.h"
#include "ui/main/PaneHost.h"

namespace korvel::ui::DefaultValues {

namespace {

// The default button of the production-cost pane: one row per box in fill order, one column per crop; a null
// entry leaves the box as it is, an empty text empties it.
constexpr std::array<const char*, 7> kPaneCrops = {"Alfalfa",   "Corn",     "Wheat", "Grain Sorghum",
                                                   "Sunflower", "Soybeans", "Fallow"};
struct PaneRow {
    const char* box;
    std::array<const char*, 7> texts;
};
// clang-format off
constexpr PaneRow kPaneTexts[] = {
    //                             Alfalfa   Corn      Wheat     Sorghum   Sunflower Soybeans  Fallow
    {"txtStand",                  {"3",      nullptr,  nullptr,  nullptr,  nullptr,  nullptr,  nullptr}},
    {"txtSeedCost",               {"4.05",   "2.89",   "0.16",   "3.43",   "2.14",   "0.31",   nullptr}},
    {"txtNitrogenCost",           {"0.44",   "0.44",   "0.44",   "0.44",   "0.44",   "0.44",   ""}},
    {"txtPCost",                  {"0.80",   "0.80",   "0.80",   "0.80",   "0.80",   "0.80",   nullptr}},
    {"txtHerbicide",              {"20.01",  "30.00",  "2.75",   "26.56",  "31.76",  "26.19",  "8.00"}},
    {"txtInsecticide",            {"7.45",   "36.48",  "11.80",  "",       "12.41",  "",       ""}},
    {"txtTillage",                {"31.26",  "31.26",  "31.26",  "31.26",  "31.26",  "31.26",  "25.00"}},
    {"txtPlanting",               {"14.36",  "13.48",  "12.48",  "13.80",  "13.68",  "13.77",  ""}},
    {"txtHerbicideApplication",   {"5.26",   "5.26",   "5.26",   "5.26",   "5.26",   "5.26",   "5.26"}},
    {"txtInsecticideApplication", {"5.24",   "5.24",   "5.24",   "5.24",   "5.24",   "5.24",   ""}},
    {"txtFertilizerApplication",  {"5.12",   "5.12",   "5.12",   "5.12",   "5.12",   "5.12",   nullptr}},
    {"txtSwathing",               {"12.50",  nullptr,  nullptr,  nullptr,  nullptr,  nullptr,  nullptr}},
    {"txtSwathingNum",            {"",       nullptr,  nullptr,  nullptr,  nullptr,  nullptr,  nullptr}},
    {"txtRaking",                 {"4.54",   nullptr,  nullptr,  nullptr,  nullptr,  nullptr,  nullptr}},
    {"txtRakingNum",              {"",       nullptr,  nullptr,  nullptr,  nullptr,  nullptr,  nullptr}},
    {"txtBaling",                 {"16.50",  nullptr,  nullptr,  nullptr,  nullptr,  nullptr,  nullptr}},
    {"txtBalingNum",              {"",       nullptr,  nullptr,  nullptr,  nullptr,  nullptr,  nullptr}},
    {"txtAlfFlat",                {"35.00",  nullptr,  nullptr,  nullptr,  nullptr,  nullptr,  nullptr}},
    {"txtHarvestBase",            {nullptr,  "28.58",  "24.12",  "25.67",  "29.02",  "28.37",  nullptr}},
    {"txtExceed",                 {nullptr,  "74",     "22",     "36",     "1300",   "28",     nullptr}},
    {"txtExceedCost",             {nullptr,  "0.214",  "0.235",  "0.241",  "0.003",  "0.229",  nullptr}},
    {"txtHaulingCost",            {nullptr,  "0.197",  "0.219",  "0.218",  "0.003",  "0.204",  nullptr}},
    {"txtFlatRate",               {nullptr,  "",       "",       "",       "",       "",       nullptr}},
    {"txtReturns",                {"",       "",       "",       "",       "",       "",       ""}},
};
// clang-format on

// "Load Default Values" of the main pane: the named crops, compared in lower case.
struct CropDefaults {
    const char* name; // lower case
    double price;
    double maxYield;
    double seedCost;
    double herbicide;
    double insecticide;
    double planting;
    // The harvest charges; the forage crop has none and gets its flat rate and stand life instead.
    bool harvest;
    double harvestBase;
    int exceedBu;
    double exceedRate;
    double hauling;
};
// clang-format off
constexpr CropDefaults kCrops[] = {
    {"alfalfa",       85,    10,   4.05, 20.01, 7.45,  14.36, false, 0,     0,    0,     0},
    {"wheat",         6.2,   75,   0.16, 2.75,  11.8,  12.48, true,  24.12, 22,   0.235, 0.219},
    {"corn",          6.52,  220,  2.89, 30,    36.48, 13.48, true,  28.58, 74,   0.214, 0.197},
    {"sunflower",     0.2,   3500, 2.14, 31.76, 12.41, 13.68, true,  29.02, 1300, 0.003, 0.003},
    {"grain sorghum", 5.75,  120,  3.43, 26.56, 0,     13.8,  true,  25.67, 36,   0.241, 0.218},
    {"soybeans",      10.22, 65,   0.31, 26.19, 0,     13.77, true,  28.37, 28,   0.229, 0.204},
};
// clang-format on
constexpr double kNitrogenCost = 0.44;
constexpr double kPCost = 0.8;
constexpr double kTillage = 31.26;
constexpr double kHerbicideApplication = 5.26;
constexpr double kInsecticideApplication = 5.24;
constexpr double kFertilizerApplication = 5.12;
constexpr int kAlfalfaPerTon = 35;
constexpr int kAlfalfaStand = 3;

const CropDefaults* namedCrop(const QString& rowName)
{
    const std::string lower = rowName.toLower().toStdString();
    for (const CropDefaults& c : kCrops)
        if (lower == c.name)
            return &c;
    return nullptr;
}

} // namespace

std::vector<BoxText> productionPaneTexts(const std::string& cropType)
{
    std::vector<BoxText> out;
    for (std::size_t crop = 0; crop < kPaneCrops.size(); ++crop) {
        if (cropType != kPaneCrops[crop])
            continue;
        for (const PaneRow& row : kPaneTexts)
            if (row.texts[crop])
                out.push_back({QString::fromLatin1(row.box), QString::fromLatin1(row.texts[crop])});
    }
    return out;
}

std::vector<BoxText> irrigationPaneTextsBeforeFuel()
{
    return {{"txtGPM", "750"},
            {"txtEstHours", "1800"},
            {"txtLift", "120"},
            {"txtPSI", "35"},
            {"txtRepairsPerAcre", "0.33"}};
}

std::vector<BoxText> irrigationPaneTextsAfterFuel()
{
    return {{"txtCost", "5.10"}, {"txtLaborPerHour", "10"}};
}

std::optional<PriceAndYield> rowPriceAndYield(const QString& rowName)
{
    if (const CropDefaults* c = namedCrop(rowName))
        return PriceAndYield{c->price, c->maxYield};
    return std::nullopt;
}

void applyProductionDefaults(const QString& rowName, inputCosts& ic)
{
    if (const CropDefaults* c = namedCrop(rowName)) {
        ic.SeedCost = c->seedCost;
        ic.NitrogenCost = kNitrogenCost;
        ic.PCost = kPCost;
        ic.Herbicide = c->herbicide;
        ic.Insecticide = c->insecticide;
        ic.Tillage = kTillage;
        ic.Planting = c->planting;
        ic.HerbicideApplication = kHerbicideApplication;
        ic.InsecticideApplication = kInsecticideApplication;
        ic.FertilizerApplication = kFertilizerApplication;
        if (c->harvest) {
            ic.HarvestBasePerAcre = c->harvestBase;
            ic.HarvestExceedBu = c->exceedBu;
            ic.HarvestExceedRate = c->exceedRate;
            ic.HarvestHauling = c->hauling;
        } else {
            ic.AlfalfaPerTon = kAlfalfaPerTon;
            ic.AlfalfaStand = kAlfalfaStand;
        }
    } else if (rowName.toLower() == QLatin1String("fallow")) {
        ic.Herbicide = 8;
        ic.Tillage = 25;
        ic.HerbicideApplication = kHerbicideApplication;
    }
}

void applyPumpingDefaults(IrrigationCosts& costs)
{
    costs.GPM = 750;
    costs.Lift = 120;
    costs.PSI = 35;
    costs.RepairsPerAcreInch = 0.33;
    costs.cost = 5.1;
    costs.LaborPerHour = 10;
    costs.FuelType = "Natural Gas";
    costs.dblEstHours = 1800;
    costs.NPC = 61.7;
}

void loadAll(PaneHost& main, IrrigationCostPane& irrigation)
{
    for (int i = 0; i < main.cropRowCount(); ++i) {
        CropRow* row = main.cr(i);
        if (!row)
            continue;
        inputCosts& ic = row->crop()->inputCosts;
        ic.NOptimal = true;
        ic.POptimal = true;
        ic.SeedOptimal = true;
        const QString name = row->GetCrop();
        if (const std::optional<PriceAndYield> p = rowPriceAndYield(name))
            row->setDefault(p->price, p->maxYield);
        applyProductionDefaults(name, ic);
    }
    if (!main.state().tempIrrigationCosts)
        main.state().tempIrrigationCosts = std::make_shared<IrrigationCosts>();
    applyPumpingDefaults(*main.state().tempIrrigationCosts);
    irrigation.loadDefaults();
    main.state().tempIrrigationCosts->active = true;
}

} // namespace korvel::ui::DefaultValues
