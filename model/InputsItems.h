#pragma once
// One value of the inputs file as it goes on its line, written so that the file's reading rule
// (InputsFile::readValue) gives it back. Numbers are plain decimal text, truth values "True" or "False", texts
// stand as they are. Only a text that the reading rule would not give back is written between double quotes,
// each double quote inside it doubled: a text holding a comma or a line break, one beginning with a blank or a
// double quote, or one that would read as a different number ("007", "1,500").
#include <string>

#include "model/Variant.h"

namespace korvel::InputsFile {

// A number: its plain decimal text, with the 16 or 17 digits it takes when 15 do not read back as x.
// Throws NonFiniteResult for inf/nan.
std::string numberItem(double x);

// A text that must come back as the same text (a crop name, the fuel type).
std::string textItem(const std::string& text);

// A value kept as read (empty, a number or a text): a number as numberItem writes it, a text as textItem does
// (a text that is the plain decimal text of a number may come back as that number, alike in every use).
std::string valueItem(const Variant& value);

// A box's text as typed (the general inputs). It comes back as the same text, or, for a number typed in
// another spelling ("85.50", " 160"), as the plain decimal text of the same number, which the box reads alike.
// A value that is not a text is written as valueItem writes it.
std::string boxItem(const Variant& value);

} // namespace korvel::InputsFile
