#include "model/FileReader.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string_view>
#include <system_error>

#include "model/Numbers.h"
#include "model/RegularFile.h"
#include "model/ReplaceFile.h"
#include "model/SoilCollection.h"

namespace korvel {

namespace fs = std::filesystem;

namespace {

// The pieces of text between commas; an empty text has none.
std::vector<std::string_view> splitAtCommas(std::string_view text)
{
    std::vector<std::string_view> pieces;
    if (text.empty())
        return pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
}

// A list entry that must be a number.
double listNumber(std::string_view entry, const char* what)
{
    if (const auto value = num::parseNumeric(entry))
        return *value;
    throw CropFileError(std::string("the ") + what + " \"" + std::string(entry) + "\" is not a number");
}

// The last rainfall or irrigation entry as the last column or row index.
long long wholeInch(double value, const char* what)
{
    if (!(value > -0.5 && value < static_cast<double>(FileReader::kLargestTableInch) + 0.5))
        throw CropFileError(std::string("the ") + what + " lies outside 0 to " +
                            std::to_string(FileReader::kLargestTableInch) + " inches");
    return num::toWhole(value);
}

// The yield table of makeYieldArray, its elements taken from cellsLeft; throws, with cellsLeft as it was, when
// it cannot be made or has more elements than cellsLeft.
YieldTable makeTable(const std::string& annRain, const std::string& effIrrig, const std::string& yieldTable,
                     std::size_t& cellsLeft)
{
    const std::vector<std::string_view> rain = splitAtCommas(annRain);
    const std::vector<std::string_view> irrigation = splitAtCommas(effIrrig);
    if (rain.empty())
        throw CropFileError("the rainfall list is empty");
    if (irrigation.empty())
        throw CropFileError("the irrigation list is empty");

    const double lastRain = listNumber(rain.back(), "last rainfall");
    const long long rows = wholeInch(listNumber(irrigation.back(), "last irrigation"), "last irrigation") + 1;
    const long long columns = wholeInch(lastRain, "last rainfall") + 1;
    const std::size_t cells = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
    if (cells > cellsLeft)
        throw CropFileError("the library holds no room for another table of " + std::to_string(cells) + " values");
    YieldTable table(static_cast<std::size_t>(rows), std::vector<double>(static_cast<std::size_t>(columns), 0.0));

    const double firstRain = listNumber(rain.front(), "first rainfall");
    if (!(std::fabs(firstRain) < 1e9))
        throw CropFileError("the first rainfall lies outside any table");
    const long long firstColumn = num::toWhole(firstRain);
    long long r = 0;
    long long c = firstColumn;
    // Walk the values without splitting them all first: a long line fails at its first value past the table.
    std::string_view values(yieldTable);
    std::size_t start = 0;
    bool more = !values.empty();
    while (more) {
        const std::size_t comma = values.find(',', start);
        const std::string_view value =
            comma == std::string_view::npos ? values.substr(start) : values.substr(start, comma - start);
        more = comma != std::string_view::npos;
        start = comma + 1;

        if (r >= rows || c < 0 || c >= columns)
            throw IndexError("more table values than the table has elements");
        table[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = num::leadingNumber(value);
        if (static_cast<double>(c) == lastRain) {
            c = firstColumn;
            ++r;
        } else {
            ++c;
        }
    }
    cellsLeft -= cells;
    return table;
}

// The soil records of one crop's soil file; a missing file, or anything but a regular file, gives none.
void readSoilFile(const fs::path& file, Crop& theCrop, std::size_t& cellsLeft)
{
    std::ifstream in;
    if (openRegularFile(file, in))
        FileReader::readSoilRecords(in, theCrop, cellsLeft);
}

std::shared_ptr<Crop> makeFallow()
{
    auto fallow = std::make_shared<Crop>();
    fallow->cropType = "Fallow";
    fallow->cropUnits = "";
    fallow->cropUnitsArray = {"", ""};
    fallow->Custom = false;
    return fallow;
}

} // namespace

std::string FileReader::parseEquals(const std::string& theInput)
{
    const std::size_t equals = theInput.find('=');
    if (equals == std::string::npos)
        throw CropFileError("a key=value line without \"=\"");
    return theInput.substr(equals + 1);
}

void FileReader::readCropFile(std::istream& in, Crop& theCrop, std::size_t& cellsLeft)
{
    std::string lines[9];
    for (std::string& line : lines)
        if (!readLine(in, line))
            throw CropFileError("the crop file has fewer than nine lines");

    theCrop.cropType = parseEquals(lines[0]);
    theCrop.cropUnits = parseEquals(lines[2]);
    theCrop.cropUnitsArray.clear();
    for (std::string_view unit : splitAtCommas(theCrop.cropUnits))
        theCrop.cropUnitsArray.emplace_back(unit);
    // Singular and plural are always there, empty when the file names fewer.
    while (theCrop.cropUnitsArray.size() < 2)
        theCrop.cropUnitsArray.emplace_back();
    const std::string rain = parseEquals(lines[4]);
    const std::string irrigation = parseEquals(lines[6]);
    const std::string values = parseEquals(lines[8]);
    theCrop.setYieldTable(makeTable(rain, irrigation, values, cellsLeft));
}

void FileReader::readSoilRecords(std::istream& in, Crop& theCrop, std::size_t& cellsLeft)
{
    try {
        while (in.peek() != std::char_traits<char>::eof()) {
            std::string lines[5];
            for (std::string& line : lines)
                if (!readLine(in, line))
                    throw CropFileError("the soil record ends early");
            const std::string name = num::lowerCase(parseEquals(lines[0]));
            const std::string rain = parseEquals(lines[1]);
            const std::string irrigation = parseEquals(lines[2]);
            std::size_t left = cellsLeft;
            YieldTable yields = makeTable(rain, irrigation, parseEquals(lines[3]), left);
            YieldTable relative = makeTable(rain, irrigation, parseEquals(lines[4]), left);
            cellsLeft = left;
            auto tables = std::make_shared<SoilCollection>();
            tables->Add(std::move(yields), "yield");
            tables->Add(std::move(relative), "relative");
            if (name == "ulysses")
                theCrop.soil_ulysses = tables;
            else if (name == "valent")
                theCrop.soil_valent = tables;
            else if (name == "valentine")
                theCrop.soil_valentine = tables;
        }
    } catch (const std::exception&) {
        // the crop keeps the records read so far
    }
}

std::optional<fs::path> FileReader::soilFile(const fs::path& soilFolder, const std::string& cropType)
{
    if (cropType.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos)
        return std::nullopt;
    return soilFolder / (num::lowerCase(cropType) + ".txt");
}

bool FileReader::readLine(std::istream& in, std::string& line)
{
    line.clear();
    std::streambuf* buffer = in.rdbuf();
    constexpr int end = std::char_traits<char>::eof();
    int ch = buffer ? buffer->sbumpc() : end;
    if (ch == end) {
        in.setstate(std::ios::eofbit | std::ios::failbit);
        return false;
    }
    const auto tooLong = [] {
        return CropFileError("a line of more than " + std::to_string(kLongestLine) + " characters");
    };
    for (; ch != end && ch != '\n'; ch = buffer->sbumpc()) {
        if (line.size() > kLongestLine) // room for a CR after the longest line
            throw tooLong();
        line.push_back(static_cast<char>(ch));
    }
    if (ch == end)
        in.setstate(std::ios::eofbit);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.size() > kLongestLine)
        throw tooLong();
    return true;
}

YieldTable FileReader::makeYieldArray(const std::string& annRain, const std::string& effIrrig,
                                      const std::string& yieldTable)
{
    std::size_t unbounded = static_cast<std::size_t>(-1);
    return makeTable(annRain, effIrrig, yieldTable, unbounded);
}

std::vector<fs::path> FileReader::listFiles(const fs::path& folder)
{
    std::vector<fs::path> files;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return files;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            break;
        std::error_code typeError;
        const std::string name = it->path().filename().string();
        if (!it->is_regular_file(typeError) || name == ".gitkeep" || isTemporaryName(name))
            continue;
        files.push_back(it->path());
    }
    std::sort(files.begin(), files.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename().string() < b.filename().string(); });
    return files;
}

bool FileReader::Initialize(const fs::path& dataFolder, const fs::path& userFolder)
{
    fileCollection.clear();
    cropCollection = std::make_shared<CropScenario>();
    filesLeftOut = 0;
    customFolderProblem.clear();

    std::error_code ec;
    const fs::path libraryFolder = dataFolder / "crops";
    fileDirectory = libraryFolder.string();
    if (!fs::is_directory(libraryFolder, ec))
        return false;
    fileCollection = listFiles(libraryFolder);
    const std::size_t libraryCount = fileCollection.size();

    // A custom folder that cannot be made or read leaves the shipped library to be read alone.
    const fs::path customFolder = userFolder / "crops" / "custom";
    fileDirectory = customFolder.string();
    if (!fs::is_directory(customFolder, ec)) {
        fs::create_directories(customFolder, ec);
        if (!ec && !fs::is_directory(customFolder, ec) && !ec)
            ec = std::make_error_code(std::errc::not_a_directory); // made, yet no folder there
    }
    if (ec)
        customFolderProblem = ec.message();
    else
        for (fs::path& file : listFiles(customFolder))
            fileCollection.push_back(std::move(file));

    const fs::path soilFolder = libraryFolder / "soils";
    std::size_t cellsLeft = kMostTableCells;
    std::size_t k = 1; // counts the crops read, not the files
    std::size_t i = 0;
    for (; i < fileCollection.size() && k <= kMostCrops; ++i) {
        auto theCrop = std::make_shared<Crop>();
        try {
            theCrop->Custom = i >= libraryCount;
            std::ifstream in;
            if (!openRegularFile(fileCollection[i], in))
                continue;
            readCropFile(in, *theCrop, cellsLeft);
        } catch (const std::exception&) {
            continue; // unreadable: skipped, the counter stays
        }
        // A soil file is named after its crop: a custom crop named like a library crop would take the library
        // crop's soil tables in place of its own table, so it takes none.
        const bool namedLikeALibraryCrop =
            theCrop->Custom && std::any_of(cropCollection->begin(), cropCollection->end(), [&](const auto& c) {
                return !c->Custom && num::lowerCase(c->cropType) == num::lowerCase(theCrop->cropType);
            });
        if (const std::optional<fs::path> soil = soilFile(soilFolder, theCrop->cropType);
            soil && !namedLikeALibraryCrop)
            readSoilFile(*soil, *theCrop, cellsLeft);
        cropCollection->Add(theCrop);
        if (k == libraryCount)
            cropCollection->Add(makeFallow());
        ++k;
    }
    filesLeftOut = fileCollection.size() - i;
    return true;
}

} // namespace korvel
