#pragma once
#include <vector>

namespace korvel {

// A yield table: first index the net irrigation in whole inches from 0, second index the annual rainfall
// in whole inches from 0. Holds yields per acre (values above 1) or fractions of the maximum yield.
using YieldTable = std::vector<std::vector<double>>;

} // namespace korvel
