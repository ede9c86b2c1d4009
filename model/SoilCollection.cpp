#include "model/SoilCollection.h"

#include <algorithm>
#include <cctype>

#include "model/Errors.h"

namespace korvel {

namespace {
// Keys are told apart without regard to letter case.
bool sameKey(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}
} // namespace

void SoilCollection::Add(YieldTable table, std::string key)
{
    for (const auto& item : items_)
        if (sameKey(item.first, key))
            throw InvalidArgument("the soil table key \"" + key + "\" is already in use");
    items_.emplace_back(std::move(key), std::move(table));
}

long SoilCollection::Count() const
{
    return static_cast<long>(items_.size());
}

const YieldTable& SoilCollection::Item(long i) const
{
    if (i < 1 || static_cast<std::size_t>(i) > items_.size())
        throw IndexError("soil table " + std::to_string(i) + " does not exist");
    return items_[static_cast<std::size_t>(i) - 1].second;
}

const YieldTable& SoilCollection::Item(const std::string& key) const
{
    for (const auto& item : items_)
        if (sameKey(item.first, key))
            return item.second;
    throw IndexError("there is no soil table \"" + key + "\"");
}

} // namespace korvel
