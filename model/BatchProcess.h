#pragma once
// One trend process: the crop row and the trend variable it varies and the values it runs over, with how
// those values were given (a range with a number of steps, a file of values, or a typed list). Also the
// rules that turn each way of giving values into the values themselves, and the checks a process must pass
// before it is stored or run.
#include <cstddef>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "model/Variant.h"

namespace korvel {

// How the values of a process are given (the index of the setup pane's value-mode button).
enum BatchValueMode : int {
    AutoValues = 0,   // a range: minimum, maximum and a number of steps
    ImportValues = 1, // a trend value file
    ManualValues = 2, // a comma-separated list typed by the user
};

class BatchProcess {
public:
    double cropIndex = 0;      // 0-based crop row the process applies to
    double VariableIndex = 0;  // trend variable id 0..5 (TrendVariables.h)
    std::string ContentString; // carried by neither Copy nor Change
    int variables_type = AutoValues;
    std::string variables_min;    // Auto: the minimum read, as decimal text
    std::string variables_max;    // Auto: the maximum read
    std::string variables_steps;  // Auto: the number of steps
    std::string variables_manual; // Manual: the list exactly as typed
    std::string inputfilename;    // Import: the file path as shown

    // Keeps a copy of the values (numbers for Auto, texts for Import and Manual).
    void SetValueArray(std::vector<Variant> va) { values_ = std::move(va); }
    const std::vector<Variant>& GetValueArray() const { return values_; }
    // Every value as a number; throws TypeMismatch for a text that is not one.
    std::vector<double> numericValues() const;

    // A new process with the values and every field but ContentString.
    BatchProcess Copy() const;
    // Takes d's values and every field but ContentString.
    void Change(const BatchProcess& d);

private:
    std::vector<Variant> values_;
};

namespace BatchValues {

// The most values a process takes: no trend computes more combinations (kMaximumFixedTrendCount), and an Auto
// range has at most this many steps.
inline constexpr std::size_t kMostValues = 32767;
// The most characters (line breaks not counted) a trend value file is read for: room for kMostValues values.
inline constexpr std::size_t kLongestValueFile = 1 << 20;

// n values from minimum to maximum in equal steps: minimum + i × (maximum − minimum) / (n − 1), i = 0..n−1.
// Throws InvalidArgument for n below 2.
std::vector<Variant> range(double minimum, double maximum, int n);

// A typed list: blanks removed, split at ",", and of the items only those that are a number as a whole are
// kept, as texts, in order ("5, x, 7,, 9" gives "5", "7", "9").
std::vector<Variant> typedList(const std::string& text);

// The text of a trend value file: its lines joined without any separator (a line break does not separate
// two values). Blanks are kept; tabs too. A file that cannot be opened, or is not a regular file (a FIFO or a
// device), gives an empty text, one that breaks off while being read what was read before. Reading stops after
// kLongestValueFile + 1 characters: a longer text tells the caller the file is too long.
std::string readValueFile(const std::filesystem::path& path);

// The values of a value file's text: blanks removed, split at ",", every item kept as text, empty ones too
// ("10,2" + "5" gives "10", "25"; "1,2," gives "1", "2", "").
std::vector<Variant> fileValues(const std::string& text);

} // namespace BatchValues

// What the setup pane holds when a process is built from it.
struct BatchProcessInput {
    int mode = AutoValues;   // the value mode whose button is on, -1 when none is
    std::string minimumText; // Auto
    std::string maximumText;
    std::string stepsText;
    std::string fileName;   // Import: the path as shown
    std::string manualText; // Manual: as typed
    int variable = 0;       // the trend variable whose button is on
    // The largest value the variable takes, in either direction: a value above it, or below its negative, is
    // refused, so that every figure the value feeds stays a finite number.
    double largest = std::numeric_limits<double>::infinity();
};

// Why a process could not be built.
enum class BatchProcessProblem {
    None,
    MaximumNotAboveMinimum, // Auto with a maximum of 0 or not above the minimum
    NoFile,                 // Import with nothing read
    NoValues,               // Manual without a number in it
    NoValueMode,            // no value mode chosen
    NotANumber,             // an Auto bound too large to be read, or a file entry that is not a number
    TooManyValues,          // Import of a file with more than kMostValues values or kLongestValueFile characters
    RainfallBelow,          // a rainfall value below 11 inches
    RainfallAbove,          // a rainfall value above 21 inches
    AboveLargest,           // a value above the input's largest
    BelowLargest,           // a value below the negative of the input's largest
};

struct BatchProcessBuild {
    std::optional<BatchProcess> process; // set when problem is None
    BatchProcessProblem problem = BatchProcessProblem::None;
    std::string offendingItem; // NotANumber: the entry that is not a number; AboveLargest, BelowLargest: the value
};

// Builds a validated process (values, value mode and its texts, VariableIndex; cropIndex is left 0 for the
// caller to set), or the first problem found. The file of an Import is read here.
BatchProcessBuild makeBatchProcess(const BatchProcessInput& input);

// A path given as UTF-8 text.
std::filesystem::path pathFromUtf8(const std::string& text);

} // namespace korvel
