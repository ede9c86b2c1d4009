#pragma once
// Replacing a file's whole contents so that a failure never costs the previous file: the bytes go into a new
// temporary file beside it, which is written in full, synced to the disk and closed, each step checked, and only
// then renamed over the file. On any failure the temporary file is removed and the file keeps what it held.
// This is the one place where the model asks the operating system (POSIX) for more than the standard library
// offers: the standard streams can neither sync a file nor report a failing close.
#include <filesystem>
#include <string_view>

#include "model/Errors.h"

namespace korvel {

// A file that could not be replaced; what() names the step and the system's reason.
struct SaveError : KorvelError {
    using KorvelError::KorvelError;
};

// Replaces file with exactly these bytes (creating it when there is none; an existing file's permissions are
// kept). Throws SaveError, the file untouched and no temporary file left, when any step fails.
void replaceFile(const std::filesystem::path& file, std::string_view bytes);

} // namespace korvel
