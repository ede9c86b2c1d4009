// The crop and soil file reader. The input is a crop file, then optionally a NUL byte and a soil file for the
// crop it names. Checks: only the reader's own typed failures come out of it; a crop read has a rectangular
// table within the size limits and charged to the library's cells, two unit names, finite values; its soil
// file is a plain name inside the soils folder or none; soil reading never throws and never takes more cells
// than it was given.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "model/Crop.h"
#include "model/FileReader.h"

namespace {

using korvel::FileReader;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// The cells of a table after checking it against the reader's limits.
std::size_t checkedCells(const korvel::YieldTable& table)
{
    const std::size_t largest = static_cast<std::size_t>(FileReader::kLargestTableInch) + 1;
    require(!table.empty() && table.size() <= largest);
    for (const auto& row : table) {
        require(row.size() == table.front().size() && !row.empty() && row.size() <= largest);
        for (double value : row)
            require(std::isfinite(value));
    }
    return table.size() * table.front().size();
}

std::size_t soilCells(const korvel::Crop& crop)
{
    std::size_t cells = 0;
    for (const auto& soil : {crop.soil_ulysses, crop.soil_valent, crop.soil_valentine}) {
        require(soil->Count() == 0 || soil->Count() == 2);
        for (long i = 1; i <= soil->Count(); ++i)
            cells += checkedCells(soil->Item(i));
    }
    return cells;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    std::istringstream cropText(input.substr(0, nul));
    korvel::Crop crop;
    std::size_t cellsLeft = FileReader::kMostTableCells;
    try {
        FileReader::readCropFile(cropText, crop, cellsLeft);
    } catch (const korvel::KorvelError&) {
        require(cellsLeft == FileReader::kMostTableCells);
        return 0; // the file is skipped
    }
    require(cellsLeft + checkedCells(crop.yieldTable) == FileReader::kMostTableCells);
    require(crop.cropUnitsArray.size() >= 2);

    const std::string& name = crop.cropType;
    const auto soil = FileReader::soilFile("soils", name);
    const bool plain = name.find('/') == std::string::npos && name.find('\\') == std::string::npos &&
                       name.find('\0') == std::string::npos;
    require(soil.has_value() == plain);
    if (soil)
        require(soil->parent_path() == "soils" && soil->filename().string().size() == name.size() + 4);

    if (nul != std::string::npos) {
        std::istringstream soilText(input.substr(nul + 1));
        const std::size_t before = cellsLeft;
        FileReader::readSoilRecords(soilText, crop, cellsLeft);
        require(cellsLeft <= before && before - cellsLeft >= soilCells(crop));
    }
    return 0;
}
