#pragma once
// One crop of the library: name and units, the user's price and maximum yield, its yield table and
// normalising factor, its production costs, its soil tables and the current yield per acre.
#include <memory>
#include <string>
#include <vector>

#include "model/SoilCollection.h"
#include "model/YieldTable.h"
#include "model/inputCosts.h"

namespace korvel {

class Crop {
public:
    std::string cropType;
    std::string cropUnits;                   // the units text as read; kept and copied
    std::vector<std::string> cropUnitsArray; // (0) singular unit, (1) plural unit
    double price = 0.0;
    double inputCost = 0.0; // kept and copied, read by nothing
    double maxYield = 0.0;
    SharedYieldTable yieldTable;
    double normalFactor = 0.0;
    korvel::inputCosts inputCosts;
    double Yield = 0.0;
    bool Custom = false;
    std::shared_ptr<SoilCollection> soil_ulysses = std::make_shared<SoilCollection>();
    std::shared_ptr<SoilCollection> soil_valent = std::make_shared<SoilCollection>();
    std::shared_ptr<SoilCollection> soil_valentine = std::make_shared<SoilCollection>();
    std::string soilName;

    // cropUnitsArray(0); throws IndexError when the crop has no unit.
    std::string priceUnits() const;
    // Yield with "###,##0.0", then " ", the singular unit and "/ac" ("234.6 bu./ac").
    std::string yieldToString() const;
    void setYieldTable(const YieldTable& Y);
    // Sets Yield for a net irrigation depth and an annual rainfall. Throws YieldLookupError for a
    // rainfall column outside the table, a negative depth or a crop without a table ("Fallow" excepted).
    void setYield(double irrig, double rain);
    // normalFactor := Yield / the last-row table value at the rainfall column; any failure leaves it as it was.
    void setNormal(double Yield, double rain);
    // A deep copy (units and costs copied, the table as good as copied: shared until either crop changes its
    // own; the soil collections shared).
    std::shared_ptr<Crop> Copy() const;
    // The crop's block of the inputs file: cropType, price, maxYield, then inputCosts.writeData.
    std::string writeData() const;
};

} // namespace korvel
