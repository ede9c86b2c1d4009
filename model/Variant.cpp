#include "model/Variant.h"

#include "model/Errors.h"
#include "model/Numbers.h"

namespace korvel {

double Variant::number() const
{
    if (isEmpty())
        return 0.0;
    if (const double* d = std::get_if<double>(&v_))
        return *d;
    const std::string& text = std::get<std::string>(v_);
    if (auto v = num::parseNumeric(text))
        return *v;
    throw TypeMismatch("the value \"" + text + "\" is not a number");
}

std::string Variant::toString() const
{
    if (isEmpty())
        return "";
    if (const double* d = std::get_if<double>(&v_))
        return num::plainText(*d);
    return std::get<std::string>(v_);
}

} // namespace korvel
