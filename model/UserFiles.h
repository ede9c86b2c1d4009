#pragma once
// The files a user makes, kept in the user's own folder: the inputs file "inputs.txt" and the custom crops of
// "crops/custom". Earlier versions kept them in the program's own folder (the executable's), which a rebuild or
// a fresh copy of the program replaces; the first start with the user's folder copies them over once.
#include <filesystem>
#include <vector>

namespace korvel::UserFiles {

// True when folder holds an inputs file or a custom crop file (a regular file of crops/custom other than the
// ".gitkeep" placeholder).
bool holdsUserFiles(const std::filesystem::path& folder);

// When userFolder holds none of the user's files and oldFolder holds some, copies each of them (the inputs file
// and every custom crop file) to the same place under userFolder, creating the folders on the way. Never
// replaces a file: one already in userFolder is left as it is. Each file is written whole or not at all.
// Returns the files of oldFolder that could not be copied (empty when everything was copied or nothing had
// to be).
std::vector<std::filesystem::path> copyFromOldPlace(const std::filesystem::path& oldFolder,
                                                    const std::filesystem::path& userFolder);

} // namespace korvel::UserFiles
