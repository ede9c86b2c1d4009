#include "model/InputsFile.h"

#include <fstream>
#include <map>
#include <string>
#include <system_error>

#include "model/Numbers.h"
#include "model/ProductionCostFields.h"
#include "model/RegularFile.h"
#include "model/ReplaceFile.h"

namespace korvel::InputsFile {

namespace fs = std::filesystem;

namespace {

constexpr int kEnd = std::char_traits<char>::eof();
constexpr const char* kLineEnd = "\r\n";
// A real inputs file takes a few dozen kilobytes; one this large is not read, which bounds what loading it
// allocates.
constexpr std::uintmax_t kLargestInputsFile = 16u << 20;

bool isBlank(int ch)
{
    return ch == ' ' || ch == '\t';
}

void skipBlanks(std::istream& in)
{
    while (isBlank(in.peek()))
        in.get();
}

// CR LF, LF or CR.
void consumeLineEnd(std::istream& in)
{
    if (in.get() == '\r' && in.peek() == '\n')
        in.get();
}

// The conversions of an item into a typed field.
double asNumber(const Variant& v)
{
    return v.number();
}

bool asTruth(const Variant& v)
{
    if (v.isEmpty())
        return false;
    if (v.isNumber())
        return v.number() != 0.0;
    const std::string text = num::lowerCase(v.toString());
    if (text == "true")
        return true;
    if (text == "false")
        return false;
    return v.number() != 0.0; // a numeric text; any other text throws TypeMismatch
}

std::string asText(const Variant& v)
{
    return v.toString();
}

void readCropBlock(std::istream& in, Crop& crop)
{
    crop.price = asNumber(readValue(in));
    crop.maxYield = asNumber(readValue(in));
    inputCosts& ic = crop.inputCosts;
    for (const ProductionCostField& field : kProductionCostFields)
        std::visit(Overloaded{[&](double inputCosts::*m) { ic.*m = asNumber(readValue(in)); },
                              [&](bool inputCosts::*m) { ic.*m = asTruth(readValue(in)); },
                              [&](Variant inputCosts::*m) { ic.*m = readValue(in); }},
                   field.member);
}

// The row after the first `skip` rows whose crop is named name, if any.
std::shared_ptr<Crop> rowNamed(const std::vector<std::shared_ptr<Crop>>& rows, const std::string& name, int skip)
{
    for (const std::shared_ptr<Crop>& crop : rows)
        if (crop && crop->cropType == name && skip-- == 0)
            return crop;
    return nullptr;
}

void load(std::istream& in, InputsTarget& target)
{
    GeneralInputs& general = target.MainInputs;
    general.splitIndex = readValue(in);
    general.totalAcres = readValue(in);
    general.waterAllocation = readValue(in);
    general.irrigEff = readValue(in);
    general.annualRain = readValue(in);

    IrrigationCosts& irrigation = target.irrigationCosts();
    irrigation.GPM = asNumber(readValue(in));
    irrigation.Lift = asNumber(readValue(in));
    irrigation.PSI = asNumber(readValue(in));
    irrigation.LaborPerHour = asNumber(readValue(in));
    irrigation.FixedPerAcre = asNumber(readValue(in));
    irrigation.RepairsPerAcreInch = asNumber(readValue(in));
    irrigation.NPC = asNumber(readValue(in));
    irrigation.cost = asNumber(readValue(in));
    irrigation.active = asTruth(readValue(in));
    irrigation.FuelType = asText(readValue(in));
    irrigation.dblEstHours = asNumber(readValue(in));

    general.setData(target);

    using Box = InputsTarget::IrrigationBox;
    // Each box reads back the value it shows, so applying the pane again changes nothing.
    target.setIrrigationText(Box::txtGPM, num::plainTextExact(irrigation.GPM));
    target.setIrrigationText(Box::txtEstHours, num::plainTextExact(irrigation.dblEstHours));
    target.setIrrigationText(Box::txtLift, num::plainTextExact(irrigation.Lift));
    target.setIrrigationText(Box::txtPSI, num::plainTextExact(irrigation.PSI));
    target.setIrrigationText(Box::cboFuelType, irrigation.FuelType);
    target.setIrrigationText(Box::txtCost, num::plainTextExact(irrigation.cost));
    target.setIrrigationText(Box::txtLaborPerHour, num::plainTextExact(irrigation.LaborPerHour));
    target.setIrrigationText(Box::txtRepairsPerAcre, num::plainTextExact(irrigation.RepairsPerAcreInch));

    // The k-th block of a name belongs to the k-th row of that name (a custom crop may be named like a library
    // crop); a block without such a row is passed over one line at a time.
    const std::vector<std::shared_ptr<Crop>> rows = target.cropRowCrops();
    std::map<std::string, int> blocksRead;
    while (!atEnd(in)) {
        const Variant n = readValue(in);
        const std::string name = n.toString();
        const auto read = blocksRead.find(name);
        const std::shared_ptr<Crop> crop = rowNamed(rows, name, read == blocksRead.end() ? 0 : read->second);
        // "batch_enabled" is the trend mark unless a crop of that name has its block here (the mark is the
        // file's last line, a block never is).
        if (n.isText() && name == "batch_enabled" && (!crop || atEnd(in))) {
            target.setBatchEnabled(true);
            continue;
        }
        if (crop) {
            ++blocksRead[name];
            readCropBlock(in, *crop);
        }
    }
    target.refreshCropRows();
}

} // namespace

fs::path inputsPath(const fs::path& userFolder)
{
    return userFolder / "inputs.txt";
}

bool atEnd(std::istream& in)
{
    return in.peek() == kEnd;
}

Variant readValue(std::istream& in)
{
    skipBlanks(in);
    int ch = in.peek();
    if (ch == kEnd)
        throw ReadPastEnd("read past the end of the inputs file");

    std::string item;
    if (ch == '"') {
        in.get();
        // Two double quotes in a row stand for one inside the text.
        while ((ch = in.get()) != kEnd && (ch != '"' || in.peek() == '"')) {
            if (ch == '"')
                in.get();
            item.push_back(static_cast<char>(ch));
        }
        skipBlanks(in);
        ch = in.peek();
        if (ch == ',')
            in.get();
        else if (ch == '\r' || ch == '\n')
            consumeLineEnd(in);
        return Variant(std::move(item));
    }

    while ((ch = in.peek()) != kEnd && ch != ',' && ch != '\r' && ch != '\n')
        item.push_back(static_cast<char>(in.get()));
    if (ch == ',')
        in.get();
    else if (ch != kEnd)
        consumeLineEnd(in);

    if (item.empty())
        return Variant();
    if (const auto number = num::parseNumeric(item))
        return Variant(*number);
    return Variant(std::move(item));
}

bool saveInputs(const fs::path& userFolder, InputsTarget& target)
{
    using Box = InputsTarget::MainBox;
    GeneralInputs& general = target.MainInputs;
    general.annualRain = target.mainText(Box::txtAnnRain);
    general.irrigEff = target.mainText(Box::txtEff);
    const int preset = target.selectedPreset();
    if (preset >= 0 && preset <= 5)
        general.splitIndex = preset;
    general.totalAcres = target.mainText(Box::txtArea);
    general.waterAllocation = target.mainText(Box::txtMax);

    try {
        std::string text = general.writeData() + kLineEnd;
        text += target.irrigationCosts().writeData() + kLineEnd;
        if (const std::shared_ptr<CropScenario> library = target.cropLibrary())
            for (const std::shared_ptr<Crop>& crop : *library)
                text += crop->writeData() + kLineEnd;
        if (target.batchEnabled())
            text += std::string("batch_enabled") + kLineEnd;
        std::error_code ec;
        fs::create_directories(userFolder, ec); // the user's folder is made by its first use
        replaceFile(inputsPath(userFolder), text, Leftovers::AlsoEarlierNames);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool loadInputs(const fs::path& userFolder, InputsTarget& target)
{
    std::ifstream in;
    if (!openRegularFile(inputsPath(userFolder), in, kLargestInputsFile))
        return false;
    try {
        load(in, target);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace korvel::InputsFile
