// The number helpers. The input is read as a text and, when it has eight bytes or more, its first eight as a
// double and the rest as a digit pattern. Checks: reading a text fails only as documented, and a box reads a text
// that the numeric test takes as that same number; a number written as plain decimal text reads back, to 15
// significant digits, and writes the same text again; rounding gives the nearest whole number with halves to
// even, and a whole number exactly over the 64-bit range; a formatted money amount reads back as a number near
// the value.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "model/Errors.h"
#include "model/Numbers.h"

namespace {

namespace num = korvel::num;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// x as plain decimal text reads back as the same 15-digit number.
void checkPlainText(double x)
{
    const std::string text = num::plainText(x);
    const std::optional<double> back = num::parseNumeric(text);
    require(back.has_value());
    require(std::fabs(*back - x) <= std::fabs(x) * 1e-14);
    require(num::plainText(*back) == text);
    require(num::leadingNumber(text) == *back);
}

void checkRounding(double x)
{
    const double r = num::roundHalfEven(x);
    require(std::floor(r) == r && std::fabs(r - x) <= 0.5);
    if (std::fabs(r - x) == 0.5)
        require(std::fmod(r, 2.0) == 0.0);
    // A whole number is given for every r of the 64-bit range, -2^63 included, 2^63 not; outside it, an error.
    const bool inRange = r >= -9223372036854775808.0 && r < 9223372036854775808.0;
    try {
        const long long whole = num::toWhole(x);
        require(inRange && static_cast<double>(whole) == r);
    } catch (const korvel::NonFiniteResult&) {
        require(!inRange);
    }
}

void checkPatterns(double x, std::string_view pattern)
{
    const std::string money = num::formatPattern(x, "###,##0.00");
    const std::optional<double> back = num::parseNumeric(money);
    require(back.has_value() && std::fabs(*back - x) <= 0.005 + std::fabs(x) * 1e-14);
    num::formatPattern(x, pattern); // any pattern formats any finite number
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double boxValue = num::groupedLeadingNumber(text);
    require(std::isfinite(boxValue));
    if (const std::optional<double> value = num::parseNumeric(text)) {
        require(std::isfinite(*value));
        require(boxValue == *value); // a box reads every text the numeric test takes as that number
        checkPlainText(*value);
    }
    try {
        require(std::isfinite(num::leadingNumber(text)));
    } catch (const korvel::NonFiniteResult&) {
        require(num::leadingNumberOrZero(text) == 0.0);
    }

    if (size >= sizeof(double)) {
        double x;
        std::memcpy(&x, data, sizeof x);
        if (std::isfinite(x)) {
            checkPlainText(x);
            checkRounding(x);
            checkPatterns(x, text.substr(sizeof x));
        } else {
            try {
                num::plainText(x);
                std::abort();
            } catch (const korvel::NonFiniteResult&) {
            }
        }
    }
    return 0;
}
