#include "model/BatchProcess.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <utility>

#include "model/Errors.h"
#include "model/Numbers.h"
#include "model/RegularFile.h"
#include "model/TrendVariables.h"

namespace korvel {

std::vector<double> BatchProcess::numericValues() const
{
    std::vector<double> out;
    out.reserve(values_.size());
    for (const Variant& v : values_)
        out.push_back(v.number());
    return out;
}

BatchProcess BatchProcess::Copy() const
{
    BatchProcess p;
    p.Change(*this);
    return p;
}

void BatchProcess::Change(const BatchProcess& d)
{
    values_ = d.values_;
    cropIndex = d.cropIndex;
    VariableIndex = d.VariableIndex;
    inputfilename = d.inputfilename;
    variables_manual = d.variables_manual;
    variables_max = d.variables_max;
    variables_min = d.variables_min;
    variables_steps = d.variables_steps;
    variables_type = d.variables_type;
}

namespace BatchValues {

namespace {

std::string withoutBlanks(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ' ')
            out.push_back(c);
    return out;
}

std::vector<std::string> splitAtCommas(const std::string& text)
{
    std::vector<std::string> items;
    std::string item;
    for (char c : text) {
        if (c == ',') {
            items.push_back(item);
            item.clear();
        } else {
            item.push_back(c);
        }
    }
    items.push_back(item);
    return items;
}

} // namespace

std::vector<Variant> range(double minimum, double maximum, int n)
{
    if (n < 2)
        throw InvalidArgument("a range needs at least 2 steps, not " + std::to_string(n));
    std::vector<Variant> values;
    values.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        values.emplace_back(minimum + i * (maximum - minimum) / (n - 1));
    return values;
}

std::vector<Variant> typedList(const std::string& text)
{
    std::vector<Variant> values;
    for (const std::string& item : splitAtCommas(withoutBlanks(text)))
        if (num::isNumeric(item))
            values.emplace_back(item);
    return values;
}

std::string readValueFile(const std::filesystem::path& path)
{
    std::ifstream in;
    if (!openRegularFile(path, in))
        return {};
    std::string text;
    char buffer[4096];
    while (text.size() <= kLongestValueFile && (in.read(buffer, sizeof buffer) || in.gcount() > 0)) {
        for (std::streamsize i = 0; i < in.gcount() && text.size() <= kLongestValueFile; ++i)
            if (buffer[i] != '\r' && buffer[i] != '\n')
                text.push_back(buffer[i]);
        if (!in)
            break;
    }
    return text;
}

std::vector<Variant> fileValues(const std::string& text)
{
    std::vector<Variant> values;
    for (const std::string& item : splitAtCommas(withoutBlanks(text)))
        values.emplace_back(item);
    return values;
}

} // namespace BatchValues

std::filesystem::path pathFromUtf8(const std::string& text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

namespace {

BatchProcessBuild problem(BatchProcessProblem p, std::string item = {})
{
    BatchProcessBuild b;
    b.problem = p;
    b.offendingItem = std::move(item);
    return b;
}

} // namespace

BatchProcessBuild makeBatchProcess(const BatchProcessInput& input)
{
    BatchProcess p;
    std::vector<Variant> values;
    switch (input.mode) {
    case AutoValues: {
        double minimum = 0;
        double maximum = 0;
        double steps = 0;
        for (auto [text, value] : {std::pair{&input.minimumText, &minimum}, std::pair{&input.maximumText, &maximum},
                                   std::pair{&input.stepsText, &steps}}) {
            try {
                *value = num::leadingNumber(*text);
            } catch (const NonFiniteResult&) {
                return problem(BatchProcessProblem::NotANumber, *text);
            }
        }
        if (maximum == 0 || maximum <= minimum)
            return problem(BatchProcessProblem::MaximumNotAboveMinimum);
        // The steps list offers 2 to 10; a list without a choice counts as its first entry. Any other number is
        // brought into 2 to kMostValues before it becomes a whole number.
        const double most = static_cast<double>(BatchValues::kMostValues);
        const double wholeSteps = num::roundHalfEven(steps);
        const int n = static_cast<int>(wholeSteps >= most ? most : wholeSteps >= 2 ? wholeSteps : 2.0);
        values = BatchValues::range(minimum, maximum, n);
        for (const Variant& v : values)
            if (!std::isfinite(v.number()))
                return problem(BatchProcessProblem::NotANumber, input.maximumText);
        p.variables_type = AutoValues;
        p.variables_min = num::plainText(minimum);
        p.variables_max = num::plainText(maximum);
        p.variables_steps = num::plainText(static_cast<double>(n));
        break;
    }
    case ImportValues: {
        const std::string text =
            input.fileName.empty() ? std::string() : BatchValues::readValueFile(pathFromUtf8(input.fileName));
        if (text.empty())
            return problem(BatchProcessProblem::NoFile);
        if (text.size() > BatchValues::kLongestValueFile ||
            static_cast<std::size_t>(std::count(text.begin(), text.end(), ',')) >= BatchValues::kMostValues)
            return problem(BatchProcessProblem::TooManyValues);
        values = BatchValues::fileValues(text);
        // The runs read every value as a number: an entry that is not one is refused here.
        for (const Variant& v : values)
            if (!num::isNumeric(v.toString()))
                return problem(BatchProcessProblem::NotANumber, v.toString());
        p.variables_type = ImportValues;
        p.inputfilename = input.fileName;
        break;
    }
    case ManualValues: {
        values = BatchValues::typedList(input.manualText);
        // A list without any number gives nothing to run, like an empty one.
        if (values.empty())
            return problem(BatchProcessProblem::NoValues);
        p.variables_type = ManualValues;
        p.variables_manual = input.manualText;
        break;
    }
    default: return problem(BatchProcessProblem::NoValueMode);
    }

    if (input.variable == RainfallVariable) {
        for (const Variant& v : values) {
            const double rain = v.number();
            if (rain < 11)
                return problem(BatchProcessProblem::RainfallBelow);
            if (rain > 21)
                return problem(BatchProcessProblem::RainfallAbove);
        }
    }

    for (const Variant& v : values) {
        const double value = v.number();
        if (value > input.largest)
            return problem(BatchProcessProblem::AboveLargest, v.toString());
        if (value < -input.largest)
            return problem(BatchProcessProblem::BelowLargest, v.toString());
    }

    p.SetValueArray(std::move(values));
    p.VariableIndex = input.variable;
    BatchProcessBuild built;
    built.process = std::move(p);
    return built;
}

} // namespace korvel
