#pragma once
// The crop-library reader: reads every crop file of <data folder>/crops (the shipped library), then of
// <user folder>/crops/custom (the user's own crops; created when missing), attaches the soil records of
// <data folder>/crops/soils/<crop name in lower case>.txt, inserts "Fallow" after the library crops and marks the
// custom crops.
//
// Crop file: at least nine lines (CR LF or LF); lines 1, 3, 5, 7 and 9 are key=value lines (the key is ignored):
// the crop name, the units ("bu.,bushels"), the rainfall columns, the net irrigation rows and the table values;
// lines 2, 4, 6 and 8 and anything after line 9 are ignored. Soil file: records of five key=value lines (soil
// name, rainfall columns, irrigation rows, yields, relative yields) to the end of the file.
#include <cstddef>
#include <filesystem>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/CropScenario.h"
#include "model/Errors.h"
#include "model/YieldTable.h"

namespace korvel {

// A crop file or soil record that cannot be read as one (a key=value line without "=", a list entry that must be
// a number and is not, a table that does not fit its lists). The file or record is skipped.
struct CropFileError : KorvelError {
    using KorvelError::KorvelError;
};

class FileReader {
public:
    // What the reader takes at most, so that no file, however damaged, makes it allocate more than a few
    // megabytes. Real crops have tables of a few dozen inches and a library of a few dozen crops.
    // The last rainfall column and the last irrigation row of a table: a larger one fails its file or record.
    static constexpr long long kLargestTableInch = 100;
    // Crops read from the two folders ("Fallow" not counted); the files after them are not read.
    static constexpr std::size_t kMostCrops = 1000;
    // Table elements of every crop and soil table of the library together: a crop file whose table would pass
    // it is skipped, and a soil record that would pass it ends the soil reading of its crop.
    static constexpr std::size_t kMostTableCells = 1'000'000;
    // Characters of one line of a crop or soil file: a longer line fails its file or record.
    static constexpr std::size_t kLongestLine = 1 << 20;

    // The folder being listed; after Initialize, the custom-crop folder (<user folder>/crops/custom).
    std::string fileDirectory;
    // Every file found: the library folder's first, then the custom folder's, each in file-name order.
    std::vector<std::filesystem::path> fileCollection;
    // The crop library in reading order: the library crops, "Fallow", the custom crops.
    std::shared_ptr<CropScenario> cropCollection = std::make_shared<CropScenario>();
    // The files of fileCollection that were not read because the library already held kMostCrops crops.
    std::size_t filesLeftOut = 0;

    // Why the custom folder could not be read by the last Initialize, in the system's words; empty when it was.
    std::string customFolderProblem;

    // Reads the library afresh (new collections, new Crop objects), within the limits above: the shipped crops
    // and soils under dataFolder, the custom crops under userFolder. Unreadable crop files are skipped; a
    // failing soil record ends the soil reading of that crop. A custom folder that cannot be created or read
    // leaves the shipped crops alone, with customFolderProblem saying why. Returns false, with an empty
    // cropCollection and fileDirectory naming the folder, when the crops folder is missing.
    bool Initialize(const std::filesystem::path& dataFolder, const std::filesystem::path& userFolder);
    // Both under one folder: crops/, crops/soils/ and crops/custom/ side by side.
    bool Initialize(const std::filesystem::path& folder) { return Initialize(folder, folder); }

    // The text after the first "=" of theInput, possibly empty, not trimmed. Throws CropFileError when
    // theInput holds no "=".
    static std::string parseEquals(const std::string& theInput);

    // The yield table of three comma-separated list texts: rows 0 to the last irrigation entry, columns 0 to the
    // last rainfall entry (both rounded to whole numbers, halves to even), every element 0, then the values laid
    // in row by row from the first rainfall column (each value's leading number, 0 when none). Fewer values
    // leave zeros. Throws CropFileError when a list entry that is used is not a number (the first and last
    // rainfall, the last irrigation) or a last entry lies outside 0 to kLargestTableInch, IndexError when the
    // values run past the table, and NonFiniteResult for a value too large for a double ("1e999").
    static YieldTable makeYieldArray(const std::string& annRain, const std::string& effIrrig,
                                     const std::string& yieldTable);

    // The nine lines of one crop file from in into theCrop (name, units, table), the table's elements taken
    // from cellsLeft. Throws CropFileError, IndexError or NonFiniteResult, with cellsLeft as it was, when in
    // cannot be read as a crop file or its table has more elements than cellsLeft.
    static void readCropFile(std::istream& in, Crop& theCrop, std::size_t& cellsLeft);

    // The soil records of in attached to theCrop until the end of in, their tables' elements taken from
    // cellsLeft (a record that replaces an earlier one of its soil is taken from them too). A record that fails,
    // or whose tables have more elements than are left, ends the reading; the records attached before it stay.
    static void readSoilRecords(std::istream& in, Crop& theCrop, std::size_t& cellsLeft);

    // The soil file of a crop, soilFolder/<crop name in lower case>.txt; nothing when that is not a plain
    // file name inside soilFolder (a name holding "/", "\\" or a NUL byte).
    static std::optional<std::filesystem::path> soilFile(const std::filesystem::path& soilFolder,
                                                         const std::string& cropType);

    // One line of a crop or soil file without its line end (LF or CR LF); false when nothing is left. Throws
    // CropFileError for a line longer than kLongestLine, before reading more of it.
    static bool readLine(std::istream& in, std::string& line);

    // The regular files of a folder sorted by file name, without the ".gitkeep" placeholder that keeps an
    // empty folder in the repository and without the temporary files of saves (a name ending in ".tmp": the
    // leftover of a save cut short is not a crop). Empty when the folder cannot be listed.
    static std::vector<std::filesystem::path> listFiles(const std::filesystem::path& folder);
};

} // namespace korvel
