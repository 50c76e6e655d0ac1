#pragma once

struct Document;

// Writes the block as a Kestrane executable to ExePath and tells the user the outcome.
// Without `overwrite`, an existing file there is replaced only if the user agrees. The
// file is replaced only by a complete new one. Returns true when the file was saved.
bool WriteExe(Document& doc, bool overwrite);
