#pragma once
// Number and text helpers used everywhere numbers are read, rounded or shown.
#include <optional>
#include <string>
#include <string_view>

namespace korvel::num {

// Nearest whole number, halves to the even neighbour (12.5 -> 12, 13.5 -> 14, -2.5 -> -2).
double roundHalfEven(double x);

// roundHalfEven as an integer; throws NonFiniteResult for inf/nan or a value outside the 64-bit range.
long long toWhole(double x);

// Plain decimal text: up to 15 significant digits, no grouping, no trailing zeros, E notation for
// large and tiny magnitudes (0.43, 32000, 1E+16, 1E-05, -2.5). Every text it gives reads back as a number
// (the values next to the largest double are written as 1.79769313486231E+308). Throws NonFiniteResult for
// inf/nan.
std::string plainText(double x);

// plainText when those 15 significant digits read back as x; otherwise the same style with the 16 or 17
// significant digits it takes to read back as x exactly (0.1 + 0.2 gives 0.30000000000000004, the largest
// double 1.7976931348623157E+308); -0 for a negative zero. Throws NonFiniteResult for inf/nan.
std::string plainTextExact(double x);

// "True" / "False".
std::string boolText(bool b);

// The text with the letters A to Z made lower case; every other byte stays as it is.
std::string lowerCase(std::string_view text);

// The number at the start of a text, 0 when there is none ("12abc" -> 12, "abc" -> 0, " 1,500" -> 1).
// Blanks, tabs and line breaks are skipped wherever they stand ("1 2" -> 12); an exponent may be written
// with E or D. A number too large for a double ("1e999") throws NonFiniteResult.
double leadingNumber(std::string_view text);

// leadingNumber for texts typed into the windows: 0 also when the number is too large for a double.
double leadingNumberOrZero(std::string_view text) noexcept;

// leadingNumberOrZero for a box's text, with its digit grouping read when it is well formed: the whole part in
// groups of three digits split by commas, the first of one to three ("1,500.00" -> 1500, "12,345abc" -> 12345).
// Any other comma ends the number as another character would ("1,2" -> 1, "8,5" -> 8, "1,5000" -> 1).
double groupedLeadingNumber(std::string_view text) noexcept;

// The whole-text numeric test used when a box is left: surrounding blanks, an optional sign, digits with
// optional digit grouping (the whole part in groups of three split by commas: "1,500", "12,345.5"; not "1,2"), a
// decimal point and an exponent (E). Returns the value, or nothing (also for a number too large for a double).
std::optional<double> parseNumeric(std::string_view text);
inline bool isNumeric(std::string_view text)
{
    return parseNumeric(text).has_value();
}

// Digit patterns: '#' optional digit, '0' required digit, ',' groups thousands, '.' decimal point; any
// other character is a literal ("$###,###,##0", "###,##0.00", "#0.0", "###,###", "###.00").
// Rounds on the decimal value, taken to 15 significant digits first: a pattern without decimal places gives a
// whole number, halves to the even neighbour as every conversion to a whole number does (2.5 -> "2", 3.5 ->
// "4", 640.5 x 9 -> "5,764" with "###,###"); with decimal places halves go away from zero (1.005 -> "1.01"
// with "#0.00"). An integer part of 0 shows nothing unless the pattern requires a digit (0 with "###.00"
// gives ".00", with "###,###" ""); a "-" leads negative values unless they show as zero.
// Throws NonFiniteResult for inf/nan.
std::string formatPattern(double x, std::string_view pattern);

// x itself when finite, else throws NonFiniteResult naming what was computed.
double checkedFinite(double x, const char* what = "a division without a finite result");

} // namespace korvel::num
