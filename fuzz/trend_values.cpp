// The trend value reader and the other two ways of giving a trend process its values. The input is a trend
// value file, a typed list, and, split at NUL bytes, the minimum, maximum and steps of a range; its first byte
// also picks the trend variable. Checks: a process built from any of them has between 1 and the most values a
// trend takes, every value a number (rainfall values within 11 to 21 inches); a file's text has no line breaks
// and is read no further than its limit; a range has 2 to the most values, from its minimum, all finite.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "model/BatchProcess.h"
#include "model/Numbers.h"
#include "model/TempFolder.h"
#include "model/TrendVariables.h"

namespace {

using namespace korvel;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkValues(const BatchProcessBuild& built, int variable)
{
    require(built.process.has_value() == (built.problem == BatchProcessProblem::None));
    if (!built.process)
        return;
    const std::vector<Variant>& values = built.process->GetValueArray();
    require(!values.empty() && values.size() <= BatchValues::kMostValues);
    for (double value : built.process->numericValues()) {
        require(std::isfinite(value));
        if (variable == RainfallVariable)
            require(value >= 11 && value <= 21);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const korvel::testing::TempFolder folder("korvel-fuzz-trend");
    const std::string input(reinterpret_cast<const char*>(data), size);
    const int variable = size > 0 ? data[0] % 6 : 0;

    const std::filesystem::path file = folder.path() / "values.txt";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(input.data(), static_cast<std::streamsize>(input.size()));
    }
    const std::string text = BatchValues::readValueFile(file);
    require(text.size() <= BatchValues::kLongestValueFile + 1);
    require(text.find_first_of("\r\n") == std::string::npos);

    BatchProcessInput imported;
    imported.mode = ImportValues;
    imported.fileName = file.string();
    imported.variable = variable;
    const BatchProcessBuild fromFile = makeBatchProcess(imported);
    checkValues(fromFile, variable);
    if (fromFile.process)
        require(fromFile.process->GetValueArray().size() ==
                static_cast<std::size_t>(std::count(text.begin(), text.end(), ',')) + 1);

    BatchProcessInput typed;
    typed.mode = ManualValues;
    typed.manualText = input;
    typed.variable = variable;
    checkValues(makeBatchProcess(typed), variable);

    BatchProcessInput range;
    range.mode = AutoValues;
    range.variable = variable;
    const std::size_t first = input.find('\0');
    const std::size_t second = first == std::string::npos ? first : input.find('\0', first + 1);
    range.minimumText = input.substr(0, first);
    range.maximumText = first == std::string::npos ? "" : input.substr(first + 1, second - first - 1);
    range.stepsText = second == std::string::npos ? "" : input.substr(second + 1);
    const BatchProcessBuild fromRange = makeBatchProcess(range);
    checkValues(fromRange, variable);
    if (fromRange.process) {
        const std::vector<double> values = fromRange.process->numericValues();
        require(values.size() >= 2);
        require(values.front() == num::leadingNumber(range.minimumText));
        require(fromRange.process->variables_steps == num::plainText(static_cast<double>(values.size())));
    }
    return 0;
}
