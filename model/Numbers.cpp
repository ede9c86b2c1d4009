#include "model/Numbers.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>
#include <vector>

#include "model/Errors.h"

namespace korvel::num {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The power of ten of the first significant digit of a plain number text ("0.05" -> -2, "120e3" -> 5).
long decimalMagnitude(const std::string& s)
{
    std::size_t e = s.find_first_of("eE");
    std::string mantissa = s.substr(0, e);
    long exponent = 0;
    if (e != std::string::npos) {
        std::size_t i = e + 1;
        bool negative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            negative = s[i++] == '-';
        for (; i < s.size(); ++i)
            exponent = std::min(exponent * 10 + (s[i] - '0'), 100000L);
        if (negative)
            exponent = -exponent;
    }
    std::size_t point = mantissa.find('.');
    if (point == std::string::npos)
        point = mantissa.size();
    long position = 0; // power of ten of the digit at index i
    for (std::size_t i = 0; i < mantissa.size(); ++i) {
        char c = mantissa[i];
        if (!isDigit(c))
            continue;
        position = (i < point) ? static_cast<long>(point - i - 1) : -static_cast<long>(i - point);
        if (c != '0')
            return position + exponent;
    }
    return -1000000; // zero
}

// Reads a plain ASCII number ("-12.5e3") without looking at the C locale.
std::optional<double> readPlain(const std::string& s)
{
    const char* first = s.data();
    const char* last = s.data() + s.size();
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ptr != last)
        return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // Tiny magnitudes read as zero; huge ones have no finite value.
        return decimalMagnitude(s) < 0 ? 0.0 : std::optional<double>{};
    }
    if (ec != std::errc())
        return std::nullopt;
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

// The decimal digits of |x| rounded to 15 significant digits: digits d1..d15 and the position of the
// decimal point (the number of digits before it; may be negative or above 15).
struct Decimal15 {
    std::string digits; // exactly 15 digits, the first non-zero unless the value is 0
    int pointPos = 1;
};

Decimal15 toDecimal15(double ax)
{
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, ax, std::chars_format::scientific, 14);
    std::string s(buf, res.ptr);
    Decimal15 d;
    std::size_t e = s.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (isDigit(s[i]))
            d.digits.push_back(s[i]);
    int exponent = std::stoi(s.substr(e + 1));
    d.pointPos = exponent + 1;
    // Next to the largest double the fifteen digits round up past it: keep the largest that stays below.
    if (d.pointPos == 309 && d.digits > "179769313486231")
        d.digits = "179769313486231";
    return d;
}

// Adds one to a decimal digit string.
void incrementDigits(std::string& n)
{
    for (std::size_t i = n.size(); i-- > 0;) {
        if (n[i] == '9') {
            n[i] = '0';
        } else {
            ++n[i];
            return;
        }
    }
    n.insert(n.begin(), '1');
}

// |x| times 10^fractionDigits, rounded on the 15-digit decimal value, as digits: to a whole number
// (fractionDigits 0) halves go to the even neighbour, with decimals they go away from zero.
std::string scaledDigits(double ax, int fractionDigits)
{
    if (ax == 0.0)
        return "0";
    Decimal15 d = toDecimal15(ax);
    long shift = static_cast<long>(d.pointPos) + fractionDigits;
    // The dropped digits are exactly one half, and the whole number rounds it to the even neighbour.
    const auto halfToEven = [&](char lastKept) {
        const std::size_t at = static_cast<std::size_t>(shift);
        return fractionDigits == 0 && d.digits[at] == '5' &&
               d.digits.find_first_not_of('0', at + 1) == std::string::npos && (lastKept - '0') % 2 == 0;
    };
    std::string n;
    if (shift < 0) {
        n.assign(1, '0');
    } else if (shift == 0) {
        n.assign(1, d.digits[0] >= '5' && !halfToEven('0') ? '1' : '0');
    } else if (shift >= static_cast<long>(d.digits.size())) {
        n = d.digits;
        n.append(static_cast<std::size_t>(shift) - d.digits.size(), '0');
    } else {
        n = d.digits.substr(0, static_cast<std::size_t>(shift));
        if (d.digits[static_cast<std::size_t>(shift)] >= '5' && !halfToEven(n.back()))
            incrementDigits(n);
    }
    std::size_t nz = n.find_first_not_of('0');
    return nz == std::string::npos ? std::string("0") : n.substr(nz);
}

// The digits of a number's whole part, with or without digit grouping: without commas, or grouped in threes by
// commas with a first group of one to three digits ("1,500", "12,345,678"; not "1,2", "1234,567" or "1,,500").
bool wellGrouped(std::string_view digits)
{
    const std::size_t firstComma = digits.find(',');
    if (firstComma == std::string_view::npos)
        return true;
    if (firstComma == 0 || firstComma > 3)
        return false;
    for (std::size_t at = firstComma; at < digits.size(); at += 4) {
        if (digits[at] != ',' || at + 4 > digits.size())
            return false;
        for (std::size_t k = at + 1; k < at + 4; ++k)
            if (!isDigit(digits[k]))
                return false;
    }
    return true;
}

struct Token {
    enum Kind { Optional, Required, Literal } kind;
    char literal = 0;
};

} // namespace

double roundHalfEven(double x)
{
    if (!std::isfinite(x))
        return x;
    if (std::fabs(x) >= 4503599627370496.0)
        return x; // 2^52: already whole
    double r = std::floor(x);
    double diff = x - r;
    if (diff > 0.5)
        return r + 1.0;
    if (diff < 0.5)
        return r;
    return (std::fmod(r, 2.0) == 0.0) ? r : r + 1.0;
}

long long toWhole(double x)
{
    if (!std::isfinite(x))
        throw NonFiniteResult("a whole number was asked of a value that is not finite");
    double r = roundHalfEven(x);
    if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0))
        throw NonFiniteResult("the value " + plainText(x) + " is too large for a whole number");
    return static_cast<long long>(r);
}

std::string plainText(double x)
{
    if (!std::isfinite(x))
        throw NonFiniteResult("a number without a finite value cannot be written as text");
    if (x == 0.0)
        return "0";
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, 15);
    std::string s(buf, res.ptr);
    // The few values next to the largest double round up past it (1.79769313486232E+308) and would not read
    // back: they are written as the largest fifteen-digit number that does.
    if (!readPlain(s))
        s = x < 0 ? "-1.79769313486231E+308" : "1.79769313486231E+308";
    for (char& c : s)
        if (c == 'e')
            c = 'E';
    return s;
}

std::string plainTextExact(double x)
{
    if (x == 0.0 && std::signbit(x))
        return "-0";
    std::string s = plainText(x);
    for (int digits = 16; digits <= 17 && parseNumeric(s) != x; ++digits) {
        char buf[64];
        auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, digits);
        s.assign(buf, res.ptr);
        for (char& c : s)
            if (c == 'e')
                c = 'E';
    }
    return s;
}

std::string boolText(bool b)
{
    return b ? "True" : "False";
}

std::string lowerCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

double leadingNumber(std::string_view text)
{
    // Blanks, tabs and line breaks are skipped wherever they stand; reading stops at the first other
    // character that cannot continue the number.
    std::string s;
    enum { Sign, Mantissa, Fraction, ExpSign, ExpDigits } state = Sign;
    bool mantissaDigits = false;
    std::size_t beforeExponent = 0;
    bool exponentDigits = false;
    for (char c : text) {
        if (isBlank(c))
            continue;
        if (state == Sign) {
            state = Mantissa;
            if (c == '-' || c == '+') {
                if (c == '-')
                    s.push_back('-');
                continue;
            }
        }
        if (state == Mantissa || state == Fraction) {
            if (isDigit(c)) {
                s.push_back(c);
                mantissaDigits = true;
                continue;
            }
            if (c == '.' && state == Mantissa) {
                s.push_back('.');
                state = Fraction;
                continue;
            }
            if ((c == 'e' || c == 'E' || c == 'd' || c == 'D') && mantissaDigits) {
                beforeExponent = s.size();
                s.push_back('e');
                state = ExpSign;
                continue;
            }
            break;
        }
        if (state == ExpSign) {
            state = ExpDigits;
            if (c == '-' || c == '+') {
                s.push_back(c);
                continue;
            }
        }
        if (state == ExpDigits) {
            if (isDigit(c)) {
                s.push_back(c);
                exponentDigits = true;
                continue;
            }
            break;
        }
    }
    if (!mantissaDigits)
        return 0.0;
    if ((state == ExpSign || state == ExpDigits) && !exponentDigits)
        s.resize(beforeExponent);
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    if (s == "-" || s.empty())
        return 0.0;
    std::string plain = s;
    if (plain.front() == '.')
        plain.insert(plain.begin(), '0');
    if (plain.size() > 1 && plain[0] == '-' && plain[1] == '.')
        plain.insert(plain.begin() + 1, '0');
    auto v = readPlain(plain);
    if (!v)
        throw NonFiniteResult("the number \"" + std::string(text) + "\" is too large");
    return *v;
}

std::optional<double> parseNumeric(std::string_view text)
{
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    std::string_view t = text.substr(b, e - b);
    std::string s;
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        if (t[i] == '-')
            s.push_back('-');
        ++i;
    }
    bool digits = false;
    const std::size_t integerStart = i;
    while (i < t.size() && (isDigit(t[i]) || t[i] == ',')) {
        if (isDigit(t[i])) {
            s.push_back(t[i]);
            digits = true;
        }
        ++i;
    }
    if (!wellGrouped(t.substr(integerStart, i - integerStart)))
        return std::nullopt;
    if (i < t.size() && t[i] == '.') {
        s.push_back('.');
        ++i;
        while (i < t.size() && isDigit(t[i])) {
            s.push_back(t[i]);
            digits = true;
            ++i;
        }
    }
    if (!digits)
        return std::nullopt;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        s.push_back('e');
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            s.push_back(t[i++]);
        bool expDigits = false;
        while (i < t.size() && isDigit(t[i])) {
            s.push_back(t[i]);
            expDigits = true;
            ++i;
        }
        if (!expDigits)
            return std::nullopt;
    }
    if (i != t.size())
        return std::nullopt;
    if (s.front() == '.')
        s.insert(s.begin(), '0');
    if (s.size() > 1 && s[0] == '-' && s[1] == '.')
        s.insert(s.begin() + 1, '0');
    if (std::size_t p = s.find(".e"); p != std::string::npos)
        s.erase(p, 1);
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    return readPlain(s);
}

std::string formatPattern(double x, std::string_view pattern)
{
    if (!std::isfinite(x))
        throw NonFiniteResult("a number without a finite value cannot be shown");

    // The numeric body runs from the first to the last of '#', '0', '.' (commas inside it group);
    // what stands before and after it is printed as it is.
    auto isBody = [](char c) { return c == '#' || c == '0' || c == '.'; };
    std::size_t first = std::string_view::npos, last = std::string_view::npos;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (isBody(pattern[i])) {
            if (first == std::string_view::npos)
                first = i;
            last = i;
        }
    }
    if (first == std::string_view::npos)
        return std::string(pattern);
    std::string_view prefix = pattern.substr(0, first);
    std::string_view suffix = pattern.substr(last + 1);
    std::string_view body = pattern.substr(first, last - first + 1);

    std::size_t dot = body.find('.');
    bool hasPoint = dot != std::string_view::npos;
    std::string_view intPattern = hasPoint ? body.substr(0, dot) : body;
    std::string_view fracPattern = hasPoint ? body.substr(dot + 1) : std::string_view{};

    bool grouping = false;
    std::vector<Token> intTokens, fracTokens;
    bool innerLiterals = false;
    for (char c : intPattern) {
        if (c == ',')
            grouping = true;
        else if (c == '#')
            intTokens.push_back({Token::Optional});
        else if (c == '0')
            intTokens.push_back({Token::Required});
        else {
            intTokens.push_back({Token::Literal, c});
            innerLiterals = true;
        }
    }
    for (char c : fracPattern) {
        if (c == '#')
            fracTokens.push_back({Token::Optional});
        else if (c == '0')
            fracTokens.push_back({Token::Required});
        else if (c != ',')
            fracTokens.push_back({Token::Literal, c});
    }

    // Required integer digits: every placeholder from the first '0' to the right.
    int intPlaces = 0;
    for (const Token& t : intTokens)
        if (t.kind != Token::Literal)
            ++intPlaces;
    int minIntDigits = 0;
    {
        int seen = 0;
        for (const Token& t : intTokens) {
            if (t.kind == Token::Literal)
                continue;
            if (t.kind == Token::Required) {
                minIntDigits = intPlaces - seen;
                break;
            }
            ++seen;
        }
    }
    int fracPlaces = 0, minFracDigits = 0;
    for (const Token& t : fracTokens) {
        if (t.kind == Token::Literal)
            continue;
        ++fracPlaces;
        if (t.kind == Token::Required)
            minFracDigits = fracPlaces;
    }

    std::string n = scaledDigits(std::fabs(x), fracPlaces);
    bool shownZero = n == "0";
    std::string intDigits, fracDigits;
    if (static_cast<int>(n.size()) > fracPlaces) {
        intDigits = n.substr(0, n.size() - static_cast<std::size_t>(fracPlaces));
        fracDigits = n.substr(n.size() - static_cast<std::size_t>(fracPlaces));
    } else {
        fracDigits = std::string(static_cast<std::size_t>(fracPlaces) - n.size(), '0') + n;
    }
    if (intDigits == "0")
        intDigits.clear();
    if (static_cast<int>(intDigits.size()) < minIntDigits)
        intDigits.insert(0, static_cast<std::size_t>(minIntDigits) - intDigits.size(), '0');
    while (static_cast<int>(fracDigits.size()) > minFracDigits && !fracDigits.empty() && fracDigits.back() == '0')
        fracDigits.pop_back();

    std::string out;
    if (x < 0 && !shownZero)
        out.push_back('-');
    out.append(prefix);

    if (!innerLiterals) {
        if (grouping) {
            std::string grouped;
            std::size_t len = intDigits.size();
            for (std::size_t i = 0; i < len; ++i) {
                if (i > 0 && (len - i) % 3 == 0)
                    grouped.push_back(',');
                grouped.push_back(intDigits[i]);
            }
            out += grouped;
        } else {
            out += intDigits;
        }
    } else {
        // Literals inside the integer digits keep their place counted from the right.
        std::string rev;
        std::size_t next = intDigits.size();
        for (std::size_t k = intTokens.size(); k-- > 0;) {
            const Token& t = intTokens[k];
            if (t.kind == Token::Literal) {
                rev.push_back(t.literal);
            } else if (next > 0) {
                rev.push_back(intDigits[--next]);
            }
            bool leftmostPlace = true;
            for (std::size_t j = 0; j < k; ++j)
                if (intTokens[j].kind != Token::Literal)
                    leftmostPlace = false;
            if (leftmostPlace && t.kind != Token::Literal)
                while (next > 0)
                    rev.push_back(intDigits[--next]);
        }
        out.append(rev.rbegin(), rev.rend());
    }

    if (hasPoint)
        out.push_back('.');
    std::size_t f = 0;
    for (const Token& t : fracTokens) {
        if (t.kind == Token::Literal)
            out.push_back(t.literal);
        else if (f < fracDigits.size())
            out.push_back(fracDigits[f++]);
    }
    out.append(suffix);
    return out;
}

double checkedFinite(double x, const char* what)
{
    if (!std::isfinite(x))
        throw NonFiniteResult(what);
    return x;
}

double leadingNumberOrZero(std::string_view text) noexcept
{
    try {
        return leadingNumber(text);
    } catch (...) {
        return 0.0;
    }
}

double groupedLeadingNumber(std::string_view text) noexcept
{
    // Each run of digits with commas between them loses its commas when it groups a whole part well; any other
    // comma stays, and the reading stops there.
    std::string s;
    s.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (!isDigit(text[i])) {
            s.push_back(text[i++]);
            continue;
        }
        std::size_t end = i;
        while (end < text.size() &&
               (isDigit(text[end]) || (text[end] == ',' && end + 1 < text.size() && isDigit(text[end + 1]))))
            ++end;
        const std::string_view run = text.substr(i, end - i);
        const bool wholePart = i == 0 || text[i - 1] != '.';
        for (char c : run)
            if (c != ',' || !(wholePart && wellGrouped(run)))
                s.push_back(c);
        i = end;
    }
    return leadingNumberOrZero(s);
}

} // namespace korvel::num
