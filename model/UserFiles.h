#pragma once
// The files a user makes, kept in the user's own folder: the inputs file "inputs.txt" and the custom crops of
// "crops/custom". Earlier versions kept them in the program's own folder (the executable's), which a rebuild or
// a fresh copy of the program replaces; starts with the user's folder copy them over until the copy of that old
// folder has finished, which the user's folder then records.
#include <filesystem>
#include <string>
#include <vector>

namespace korvel::UserFiles {

// The record, in the user's folder, of the old folders whose copy has finished: one folder a line.
inline constexpr const char* kCopyRecord = "copied-old-folders.txt";

// Why folder cannot keep the user's files, in the system's words ("Permission denied", "Not a directory", "Too
// many levels of symbolic links"); empty when it can. Makes folder/crops/custom when missing, then checks that
// both folders take new files.
std::string folderProblem(const std::filesystem::path& folder);

// True when folder is a folder that takes new files, so the inputs file can be kept there even while its
// crops/custom cannot keep custom crops.
bool takesNewFiles(const std::filesystem::path& folder);

// True when folder holds an inputs file or a custom crop file (a regular file of crops/custom other than the
// ".gitkeep" placeholder).
bool holdsUserFiles(const std::filesystem::path& folder);

// What a copy from the old folder left undone.
struct CopyOutcome {
    // Old files that could not be copied; the copy is then not finished and the next start tries them again.
    std::vector<std::filesystem::path> failed;
    // Old files not copied because the user's folder holds a different file of that name, which is kept.
    std::vector<std::filesystem::path> kept;
};

// Until the copy of oldFolder into userFolder has finished: copies each of its user's files (the inputs file and
// every custom crop file) that userFolder lacks to the same place under userFolder, creating the folders on the
// way, each file written whole or not at all. Never replaces a file. When no file failed, records that the copy
// of oldFolder has finished (kCopyRecord); from then on nothing is copied from it again, so a copied file that
// the user deletes stays deleted. Nothing happens when both are one folder or oldFolder holds no user's file.
CopyOutcome copyFromOldPlace(const std::filesystem::path& oldFolder, const std::filesystem::path& userFolder);

} // namespace korvel::UserFiles
