#include "model/Split.h"

#include <string>

#include "model/Errors.h"
#include "model/Numbers.h"

namespace korvel {

void Split::addSplit(double temp)
{
    splits.push_back(temp);
}

std::int16_t Split::Count() const
{
    return static_cast<std::int16_t>(splits.size());
}

double Split::total() const
{
    double sum = 0.0;
    for (double part : splits)
        sum += num::roundHalfEven(part);
    return sum;
}

double Split::Item(int i) const
{
    return splitPart(splits.data(), splits.size(), i);
}

double splitPart(const double* parts, std::size_t count, int i)
{
    if (i < 1 || static_cast<std::size_t>(i) > count)
        throw IndexError("split part " + std::to_string(i) + " does not exist (the split has " + std::to_string(count) +
                         " parts)");
    return parts[static_cast<std::size_t>(i) - 1];
}

std::shared_ptr<Split> Split::Copy() const
{
    return std::make_shared<Split>(*this);
}

} // namespace korvel
