#pragma once
// Opening the files the program reads: only regular files, since a FIFO blocks the opening until something
// writes to it and a device may never end.
#include <cstdint>
#include <filesystem>
#include <fstream>

namespace korvel {

// Opens path for reading, in binary, when it is a regular file (or a link to one) of at most maxBytes bytes;
// false, with in left closed, for anything else (missing, a folder, a FIFO, a device, a longer file).
bool openRegularFile(const std::filesystem::path& path, std::ifstream& in, std::uintmax_t maxBytes = UINTMAX_MAX);

} // namespace korvel
