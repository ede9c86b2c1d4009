#pragma once
// Replacing a file's whole contents so that a failure never costs the previous file: the bytes go into a new
// temporary file beside it, which is written in full, synced to the disk and closed, each step checked, and only
// then renamed over the file. On any failure the temporary file is removed and the file keeps what it held.
// This is the one place where the model asks the operating system (POSIX) for more than the standard library
// offers: the standard streams can neither sync a file nor report a failing close.
//
// The temporary file of <name> is <name>.kvl-XXXXXX.tmp, six random letters or digits that are tried afresh
// until a name is free, so no leftover, however many, keeps a save from finding one. A save holds a lock on its
// temporary file until it is renamed; a temporary file that nobody holds is the leftover of a save that was cut
// short (the program killed, the machine stopped) and is removed by the next save of the same file. Earlier
// versions of the program left <name>.tmp and <name>.<1 to 99>.tmp; files of those names may as well belong to
// another program, so a save removes them only when its caller says the folder is the program's own (the user's
// Korvel folder). No reader takes a file whose name ends in ".tmp" for one of its own (isTemporaryName).
#include <cstddef>
#include <filesystem>
#include <string_view>

#include "model/Errors.h"

namespace korvel {

// A file that could not be replaced; what() names the step and the system's reason.
struct SaveError : KorvelError {
    using KorvelError::KorvelError;
};

// Which leftovers of earlier saves of a file its save removes: only the <name>.kvl-XXXXXX.tmp files that this
// program makes (any folder, such as one the user chose for an export), or also the names of earlier versions
// (only in the user's Korvel folder, which no other program writes into).
enum class Leftovers { OursOnly, AlsoEarlierNames };

// Replaces file with exactly these bytes (creating it when there is none; an existing file's permissions are
// kept), after removing the stale temporary files of earlier saves of it that leftovers names. Throws SaveError,
// the file untouched and no temporary file of this save left, when any step fails.
void replaceFile(const std::filesystem::path& file, std::string_view bytes, Leftovers leftovers = Leftovers::OursOnly);

// True for a name that a save gives its temporary file, or that another program's save would: it ends in
// ".tmp". Such a file is never read as a crop, a soil table or an inputs file.
bool isTemporaryName(std::string_view fileName);

// True when fileName is a temporary file that a save of target (a file name, no folder) makes or made:
// target + ".tmp", target + ".<1 to 99>.tmp" or target + ".kvl-XXXXXX.tmp".
bool isTemporaryOf(std::string_view fileName, std::string_view target);

// Removes from folder every regular file that isTemporaryOf some file of the folder ending in suffix (".txt":
// the inputs file and the crop files) and that no save holds; returns how many were removed. A file that cannot
// be looked at, or a folder that cannot be listed, is left alone. Every name of a leftover counts, the earlier
// versions' too: this is for the user's Korvel folder only.
std::size_t removeStaleTemporaries(const std::filesystem::path& folder, std::string_view suffix);

} // namespace korvel
