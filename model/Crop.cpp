#include "model/Crop.h"

#include <cmath>

#include "model/Errors.h"
#include "model/InputsItems.h"
#include "model/Numbers.h"

namespace korvel {

namespace {

std::string rainText(double rain)
{
    return std::isfinite(rain) ? num::plainText(rain) : std::string("(none)");
}

// The table column of a rainfall (nearest whole inch, halves to even), or -1 when the table has none.
long long rainColumn(const YieldTable& table, std::size_t row, double rain)
{
    if (!std::isfinite(rain))
        return -1;
    double r = num::roundHalfEven(rain);
    if (r < 0 || r >= static_cast<double>(table[row].size()))
        return -1;
    return static_cast<long long>(r);
}

} // namespace

std::string Crop::priceUnits() const
{
    if (cropUnitsArray.empty())
        throw IndexError("the crop \"" + cropType + "\" has no unit");
    return cropUnitsArray[0];
}

std::string Crop::yieldToString() const
{
    return num::formatPattern(Yield, "###,##0.0") + " " + priceUnits() + "/ac";
}

void Crop::setYieldTable(const YieldTable& Y)
{
    yieldTable = Y;
}

void Crop::setYield(double irrig, double rain)
{
    if (cropType == "Fallow") {
        Yield = 0.0;
        return;
    }
    const YieldTable& yieldTable = this->yieldTable.table();
    if (yieldTable.empty())
        throw YieldLookupError("the crop \"" + cropType + "\" has no yield table");
    if (!(irrig >= 0.0))
        throw YieldLookupError("the yield of \"" + cropType + "\" cannot be read for a depth of " + rainText(irrig) +
                               " inches");

    const std::size_t last = yieldTable.size() - 1;
    double depth = irrig;
    if (depth > static_cast<double>(last))
        depth = static_cast<double>(last);
    // Whole inches of the depth rounded to one decimal place.
    const std::size_t lo = static_cast<std::size_t>(num::toWhole(depth * 10) / 10);
    const std::size_t hi = std::min(lo + 1, last);

    long long colLo = rainColumn(yieldTable, lo, rain);
    long long colHi = rainColumn(yieldTable, hi, rain);
    if (colLo < 0 || colHi < 0)
        throw YieldLookupError("the yield table of \"" + cropType + "\" has no column for an annual rainfall of " +
                               rainText(rain) + " inches");

    const double a = yieldTable[lo][static_cast<std::size_t>(colLo)];
    const double b = yieldTable[hi][static_cast<std::size_t>(colHi)];
    double t;
    if (a == b) {
        t = a;
    } else {
        t = ((depth - static_cast<double>(lo)) / static_cast<double>(hi - lo)) * (b - a) + a;
    }
    Yield = (b > 1.0) ? t * normalFactor : t * maxYield;
}

void Crop::setNormal(double Yield, double rain)
{
    const YieldTable& yieldTable = this->yieldTable.table();
    if (yieldTable.empty())
        return;
    const std::size_t last = yieldTable.size() - 1;
    long long col = rainColumn(yieldTable, last, rain);
    if (col < 0)
        return;
    const double v = yieldTable[last][static_cast<std::size_t>(col)];
    if (v == 0.0)
        return;
    const double factor = Yield / v;
    if (!std::isfinite(factor))
        return;
    normalFactor = factor;
}

std::shared_ptr<Crop> Crop::Copy() const
{
    auto c = std::make_shared<Crop>(*this);
    c->inputCosts = inputCosts.Copy();
    return c;
}

std::string Crop::writeData() const
{
    return InputsFile::textItem(cropType) + "\r\n" + InputsFile::numberItem(price) + "\r\n" +
           InputsFile::numberItem(maxYield) + "\r\n" + inputCosts.writeData();
}

} // namespace korvel
