#pragma once
#include <cstddef>
#include <memory>
#include <vector>

namespace korvel {

// A yield table: first index the net irrigation in whole inches from 0, second index the annual rainfall
// in whole inches from 0. Holds yields per acre (values above 1) or fractions of the maximum yield.
using YieldTable = std::vector<std::vector<double>>;

// The yield table a crop holds. A crop and its copies share one table until one of them is given another or
// changes it (edit), so a copy still never sees a change made to another, and a run's thousands of crop copies
// cost one table.
class SharedYieldTable {
public:
    using value_type = std::vector<double>;
    using iterator = YieldTable::const_iterator;
    using const_iterator = YieldTable::const_iterator;

    SharedYieldTable() = default;
    SharedYieldTable(YieldTable table) : table_(std::make_shared<YieldTable>(std::move(table))) {}

    const YieldTable& table() const { return table_ ? *table_ : noTable(); }
    operator const YieldTable&() const { return table(); }
    std::size_t size() const { return table().size(); }
    bool empty() const { return table().empty(); }
    const std::vector<double>& operator[](std::size_t row) const { return table()[row]; }
    const std::vector<double>& at(std::size_t row) const { return table().at(row); }
    const_iterator begin() const { return table().begin(); }
    const_iterator end() const { return table().end(); }

    // The table to change in place, this crop's own from now on (until the crop is copied again).
    YieldTable& edit()
    {
        table_ = std::make_shared<YieldTable>(table());
        return *table_;
    }

    friend bool operator==(const SharedYieldTable& a, const SharedYieldTable& b) { return a.table() == b.table(); }
    friend bool operator==(const SharedYieldTable& a, const YieldTable& b) { return a.table() == b; }

private:
    static const YieldTable& noTable()
    {
        static const YieldTable none;
        return none;
    }

    std::shared_ptr<YieldTable> table_; // shared between copies: changed only through edit, on a table of its own
};

} // namespace korvel
