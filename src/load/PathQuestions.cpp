#include "load/PathQuestions.h"

#include "load/SourceFile.h"
#include "model/TextUtil.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The path the file system knows `path` by: "-" is standard output, which the write
// writes into, and which Linux and macOS also name /dev/stdout.
fs::path FileSystemPath(const std::string& path)
{
#ifndef _WIN32
    if (path == "-") {
        return "/dev/stdout";
    }
#endif
    return fs::u8path(path);
}

// A last path component that names a folder, never a file: "dir/", ".", "..".
bool IsFolderName(const fs::path& name)
{
    return name.empty() || name == "." || name == "..";
}

// Whether `folder` tells `name` and `other` apart: it has no entry of the name `name` at
// all, or it lists both names as entries of their own.
bool FolderTellsApart(const fs::path& folder, const fs::path& name, const fs::path& other)
{
    std::error_code ec;
    if (fs::symlink_status(folder / name, ec).type() == fs::file_type::not_found) {
        return true;
    }
    bool nameSeen = false;
    bool otherSeen = false;
    for (fs::directory_iterator entry(folder, ec), end; !ec && entry != end; entry.increment(ec)) {
        nameSeen = nameSeen || entry->path().filename() == name;
        otherSeen = otherSeen || entry->path().filename() == other;
    }
    return !ec && nameSeen && otherSeen;
}

// Whether `target`, after the links a write follows, is another spelling of the name of
// `file` in the folder it lies in, which a file system that folds case (FAT, exFAT, SMB
// shares) takes for the same file, though it may give each spelling an inode number of
// its own.
bool SpellsSourceName(const fs::path& target, const fs::path& file)
{
    std::error_code ec;
    const fs::path source = fs::canonical(file, ec);
    const fs::path output = ec ? fs::path() : fs::weakly_canonical(target, ec);
    return !ec && SameNameFoldingCase(output.filename().u8string(), source.filename().u8string()) &&
           fs::equivalent(output.parent_path(), source.parent_path(), ec) &&
           (output.filename() == source.filename() ||
            !FolderTellsApart(source.parent_path(), output.filename(), source.filename()));
}

}  // namespace

bool FileExists(const std::string& path)
{
    std::error_code ec;
    const fs::file_status status = fs::status(fs::u8path(path), ec);
    return fs::exists(status) && !fs::is_directory(status);
}

bool NothingToRead(const std::string& path)
{
    std::error_code ec;
    const fs::file_status status = fs::status(fs::u8path(path), ec);
    return status.type() == fs::file_type::not_found || fs::is_directory(status);
}

bool NamesFolder(const std::string& path)
{
    const fs::path name = FileSystemPath(path);
    std::error_code ec;
    return IsFolderName(name.filename()) || fs::is_directory(name, ec);
}

bool FolderExists(const std::string& path)
{
    std::error_code ec;
    const fs::path folder = fs::absolute(fs::u8path(path), ec).parent_path();
    return !ec && fs::is_directory(folder, ec);
}

bool MightBeSameFile(const std::string& output, const std::string& source)
{
    const fs::path target = FileSystemPath(output);
    const fs::path file = fs::u8path(source);
    std::error_code ec;
    if (fs::equivalent(target, file, ec)) {
        return true;
    }
    const fs::path resolvedTarget = ec ? fs::path() : fs::canonical(target, ec);
    const fs::path resolvedFile = ec ? fs::path() : fs::canonical(file, ec);
    return (!ec && resolvedTarget == resolvedFile) || SpellsSourceName(target, file);
}

bool OutputWouldReplaceSource(const std::string& output, const std::string& source)
{
    return SourceKindOf(source) != SourceKind::Executable && MightBeSameFile(output, source);
}
