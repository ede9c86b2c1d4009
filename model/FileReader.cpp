#include "model/FileReader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <string_view>
#include <system_error>

#include "model/Numbers.h"
#include "model/SoilCollection.h"

namespace korvel {

namespace fs = std::filesystem;

namespace {

// Tables wider or longer than this many inches fail their file: no crop needs them and they bound the memory a
// damaged file can ask for.
constexpr long long kLargestInch = 1000;

// One line without its line end (LF or CR LF); false when nothing is left.
bool readLine(std::istream& in, std::string& line)
{
    if (!std::getline(in, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

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
    if (!(value > -0.5 && value < static_cast<double>(kLargestInch) + 0.5))
        throw CropFileError(std::string("the ") + what + " lies outside 0 to 1000 inches");
    return num::toWhole(value);
}

std::string lowerCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Lines 1 to 9 of a crop file into theCrop; throws when the file cannot be read as a crop file.
void readCropFile(const fs::path& file, Crop& theCrop)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw CropFileError("the crop file cannot be opened");
    std::string lines[9];
    for (std::string& line : lines)
        if (!readLine(in, line))
            throw CropFileError("the crop file has fewer than nine lines");

    theCrop.cropType = FileReader::parseEquals(lines[0]);
    theCrop.cropUnits = FileReader::parseEquals(lines[2]);
    theCrop.cropUnitsArray.clear();
    for (std::string_view unit : splitAtCommas(theCrop.cropUnits))
        theCrop.cropUnitsArray.emplace_back(unit);
    // Singular and plural are always there, empty when the file names fewer.
    while (theCrop.cropUnitsArray.size() < 2)
        theCrop.cropUnitsArray.emplace_back();
    const std::string rain = FileReader::parseEquals(lines[4]);
    const std::string irrigation = FileReader::parseEquals(lines[6]);
    const std::string values = FileReader::parseEquals(lines[8]);
    theCrop.setYieldTable(FileReader::makeYieldArray(rain, irrigation, values));
}

// The soil records of one crop; a failing record ends the reading, the records attached before it stay.
void readSoilFile(const fs::path& file, Crop& theCrop)
{
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        return;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return;
    try {
        while (in.peek() != std::char_traits<char>::eof()) {
            std::string lines[5];
            for (std::string& line : lines)
                if (!readLine(in, line))
                    throw CropFileError("the soil record ends early");
            const std::string name = lowerCase(FileReader::parseEquals(lines[0]));
            const std::string rain = FileReader::parseEquals(lines[1]);
            const std::string irrigation = FileReader::parseEquals(lines[2]);
            YieldTable yields = FileReader::makeYieldArray(rain, irrigation, FileReader::parseEquals(lines[3]));
            YieldTable relative = FileReader::makeYieldArray(rain, irrigation, FileReader::parseEquals(lines[4]));
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

YieldTable FileReader::makeYieldArray(const std::string& annRain, const std::string& effIrrig,
                                      const std::string& yieldTable)
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
    return table;
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
        if (!it->is_regular_file(typeError) || it->path().filename() == ".gitkeep")
            continue;
        files.push_back(it->path());
    }
    std::sort(files.begin(), files.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename().string() < b.filename().string(); });
    return files;
}

bool FileReader::Initialize(const fs::path& programFolder)
{
    fileCollection.clear();
    cropCollection = std::make_shared<CropScenario>();

    std::error_code ec;
    const fs::path libraryFolder = programFolder / "crops";
    fileDirectory = libraryFolder.string();
    if (!fs::is_directory(libraryFolder, ec))
        return false;
    fileCollection = listFiles(libraryFolder);
    const std::size_t libraryCount = fileCollection.size();

    const fs::path customFolder = libraryFolder / "custom";
    fileDirectory = customFolder.string();
    if (!fs::is_directory(customFolder, ec)) {
        fs::create_directories(customFolder, ec);
        if (ec || !fs::is_directory(customFolder, ec))
            return false;
    }
    for (fs::path& file : listFiles(customFolder))
        fileCollection.push_back(std::move(file));

    const fs::path soilFolder = libraryFolder / "soils";
    std::size_t k = 1; // counts the crops read, not the files
    for (std::size_t i = 0; i < fileCollection.size(); ++i) {
        auto theCrop = std::make_shared<Crop>();
        try {
            theCrop->Custom = i >= libraryCount;
            readCropFile(fileCollection[i], *theCrop);
        } catch (const std::exception&) {
            continue; // unreadable: skipped, the counter stays
        }
        try {
            readSoilFile(soilFolder / (lowerCase(theCrop->cropType) + ".txt"), *theCrop);
        } catch (const std::exception&) {
            // a crop name that makes no file name: no soil records
        }
        cropCollection->Add(theCrop);
        if (k == libraryCount)
            cropCollection->Add(makeFallow());
        ++k;
    }
    return true;
}

} // namespace korvel
