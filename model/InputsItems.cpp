#include "model/InputsItems.h"

#include <optional>
#include <sstream>

#include "model/InputsFile.h"
#include "model/Numbers.h"

namespace korvel::InputsFile {

namespace {

// What the reading rule makes of line when it stands alone on its line; nothing when the line does not read
// as exactly one item (a comma or a line break inside it).
std::optional<Variant> readAlone(const std::string& line)
{
    std::istringstream in(line + "\r\n");
    Variant item = readValue(in);
    if (!atEnd(in))
        return std::nullopt;
    return item;
}

// Not named quoted: std::quoted would win overload resolution (found by ADL) for a non-const string.
std::string quotedItem(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

} // namespace

std::string numberItem(double x)
{
    return num::plainTextExact(x);
}

std::string textItem(const std::string& text)
{
    const std::optional<Variant> read = readAlone(text);
    return read && read->toString() == text ? text : quotedItem(text);
}

std::string valueItem(const Variant& value)
{
    if (value.isText())
        return textItem(value.toString());
    return value.isNumber() ? numberItem(value.number()) : std::string();
}

std::string boxItem(const Variant& value)
{
    if (!value.isText())
        return valueItem(value);
    std::string text = value.toString();
    const std::optional<Variant> read = readAlone(text);
    if (read && read->toString() == text)
        return text;
    if (read && read->isNumber()) {
        // The box gets the number's plain decimal text back: fine when that text and the typed one read as
        // the same number.
        const double x = read->number();
        if (num::plainText(x) == num::plainTextExact(x) && num::leadingNumberOrZero(text) == x)
            return text;
    }
    return quotedItem(text);
}

} // namespace korvel::InputsFile
