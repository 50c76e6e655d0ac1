#pragma once

#include <string>

struct Document;

// Writes the block as a Kestrane executable to ExePath and tells the user the outcome.
// Without `overwrite`, an existing file there is replaced only if the user agrees. The
// file is replaced only by a complete new one, and never if it is the listing or object
// file the block was read from (BlockState::SourceFile), however it is reached by then. A
// block of no bytes is not written: an executable of its header alone would read back as
// no block at all. Returns true when the file was saved.
bool WriteExe(Document& doc, bool overwrite);

// The refusal of an output that is, or may be, the source: "The output 'NAME' is the file
// being converted. Nothing saved.", NAME as the front end shows the path. The window's
// Save says the same, and offers its dialog again.
std::string OutputIsTheSourceMessage(const std::string& name);

// The new file is in place, but the sync of its folder, which makes the rename last,
// failed: "File saved as 'NAME', but its folder could not be synced: REASON. The file may
// not survive a crash." The save counts as failed, so that a script tries again.
std::string FolderNotSyncedMessage(const std::string& name, const std::string& reason);

// The folder was moved while the file was written, and the system does not tell where to.
std::string FolderMovedMessage(const std::string& name);

inline constexpr const char* kNoBytesMessage = "The block holds no bytes. Nothing saved.";
