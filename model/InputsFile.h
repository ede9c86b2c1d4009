#pragma once
// The inputs file, <user folder>/inputs.txt: the user's last inputs between sessions, one value per line,
// every line ended by CR LF. Lines: the five general inputs (preset index, acres, gross inches, efficiency,
// rainfall: the boxes' texts as typed), the eleven irrigation values of IrrigationCosts::writeData, then one
// 34-line block per library crop (Crop::writeData, library order), then "batch_enabled" when trend processing
// is on. Each value is written so that readValue gives it back (model/InputsItems.h): a text only stands
// between double quotes when it would not read back otherwise. Loading matches the crop blocks to the crop
// rows by crop name, the k-th block of a name to the k-th row of that name; a block whose name matches no row
// is passed over line by line.
#include <filesystem>
#include <istream>

#include "model/Errors.h"
#include "model/InputsTarget.h"
#include "model/Variant.h"

namespace korvel::InputsFile {

// A read past the end of the inputs file.
struct ReadPastEnd : KorvelError {
    using KorvelError::KorvelError;
};

// The file's path: userFolder / "inputs.txt".
std::filesystem::path inputsPath(const std::filesystem::path& userFolder);

// Writes the inputs file from target, creating userFolder when it is missing. The file is written beside the
// old one, synced and closed, and then renamed over it (replaceFile), so a failed save leaves the previous file
// as it was. Shows nothing; returns false when the save failed.
bool saveInputs(const std::filesystem::path& userFolder, InputsTarget& target);

// Reads the inputs file into target: general inputs, irrigation costs and the irrigation-cost boxes (each
// number as the text that reads back as it), the crops of the crop rows whose name matches a block,
// "batch_enabled" (never switches the flag off; a crop row of that name takes the block that follows such a
// line unless the line is the last), then refreshes the crop rows. Any failure (no file, a short file, a text
// where a number belongs, a preset outside 0 to 5) stops the load silently: what was assigned stays, and the
// rows are not refreshed. Returns false then.
// Only a regular file of at most 16 MB is read (a FIFO in its place would block the start).
bool loadInputs(const std::filesystem::path& userFolder, InputsTarget& target);

// The next item of in: leading blanks skipped; an item starting with a double quote runs to the next double
// quote that is not doubled (both dropped; a doubled one stands for one double quote) and is text; any other
// item runs to the next comma (which is consumed, the line going on) or the end of the line (consumed with it).
// An item that reads as a number is that number, an empty item is empty, anything else is text. Throws
// ReadPastEnd at the end of the input.
Variant readValue(std::istream& in);

// True when in has nothing more to read.
bool atEnd(std::istream& in);

} // namespace korvel::InputsFile
