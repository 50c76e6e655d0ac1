#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A file as the system knows it, whatever names lead to it: its device and inode (on
// Windows, its volume's serial number and its file index). None is known until a file
// is looked at.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool known = false;

    bool Is(const FileIdentity& other) const
    {
        return known && other.known && device == other.device && inode == other.inode;
    }
};

// The listing or object file a block was read from, as it was read: the file itself, and
// the folder it lies in with its name there (after links). On a file system that folds
// case (FAT, exFAT, SMB shares) each spelling of a name may report an inode number of its
// own, so the file is known by its name too: another spelling of that name in that folder
// is the same file, unless the folder tells the two apart.
struct SourceFileIdentity {
    FileIdentity file;
    FileIdentity folder;
    std::string name;
};

// The values that travel between commands. Every field starts at 0 or empty and keeps
// its value until a command changes it. Addresses are 16-bit on the Kestrane but are
// held in 32-bit signed values, so 0x8000 and above stay positive.
struct BlockState {
    std::string SourcePath;          // the file last handed to the load, trimmed, as given
    std::string ExePath;             // where the executable goes: derived at load, or chosen on Save
    std::int32_t Org = 0;            // load address of the block (the address of dump line 0)
    std::int32_t Ent = 0;            // entry address
    std::int32_t Sp = 0;             // initial stack pointer
    std::int32_t BlockBytes = 0;     // block size as counted by the reader
    std::int32_t DumpLineCount = 0;  // dump lines taken from a listing
    // The listing or object file the block was read from, as it was read: a save never
    // replaces it or writes into it, whatever name it is given by then. None for an
    // executable, which is saved over itself.
    SourceFileIdentity SourceFile;
    // An opened executable's header, all 512 bytes: a save writes them again, ORG, ENT
    // and SP put in, so that what another tool keeps there stays. Empty for a listing or
    // object file.
    std::vector<std::uint8_t> ExeHeader;
};
