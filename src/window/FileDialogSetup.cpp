#include "window/FileDialogSetup.h"

#include "convert/CommandLineConversion.h"
#include "load/PathQuestions.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The folder `path` lies in, made absolute and plain (no "." or ".." left).
fs::path FolderOf(const std::string& path)
{
    std::error_code ec;
    fs::path absolute = fs::absolute(fs::u8path(path), ec);
    if (ec) {
        absolute = fs::u8path(path);
    }
    return absolute.lexically_normal().parent_path();
}

bool IsFolder(const fs::path& folder)
{
    std::error_code ec;
    return fs::is_directory(folder, ec);
}

}  // namespace

const FileDialogSetup& OpenDialogSetup()
{
    static const FileDialogSetup setup{"Open Object File...",
                                       {{"All Files (*.*)", ""},
                                        {"Tasm OBJ Files (Intel Hex, *.OBJ)", "OBJ"},
                                        {"Tasm LST Files (*.LST)", "LST"},
                                        {"Kestrane EXE Files (*.EXE)", "EXE"}},
                                       2,
                                       true,
                                       false,
                                       0x1004};
    return setup;
}

const FileDialogSetup& SaveDialogSetup()
{
    static const FileDialogSetup setup{"Save Kestrane EXE As...",
                                       {{"All Files (*.*)", ""}, {"Kestrane EXE Files (*.EXE)", "EXE"}},
                                       2,
                                       false,
                                       true,
                                       0x40804};
    return setup;
}

std::optional<std::string> OpenDialogFolder(const std::string& lastSource)
{
    if (lastSource.empty()) {
        return std::nullopt;
    }
    const fs::path folder = FolderOf(lastSource);
    return IsFolder(folder) ? std::optional<std::string>(folder.u8string()) : std::nullopt;
}

std::optional<std::string> SavePathRefusal(const std::string& path, const std::string& source)
{
    if (!FolderExists(path)) {
        return "The folder '" + FolderOf(path).make_preferred().u8string() +
               "' does not exist. Check the path and try again.";
    }
    if (!source.empty() && OutputWouldReplaceSource(path, source)) {
        return OutputIsTheSourceMessage(path);
    }
    return std::nullopt;
}
