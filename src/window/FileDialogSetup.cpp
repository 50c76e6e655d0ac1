#include "window/FileDialogSetup.h"

#include "convert/CommandLineConversion.h"
#include "load/PathQuestions.h"
#include "load/SourceFile.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// `path` made absolute and plain (no "." or ".." left).
fs::path Plain(const std::string& path)
{
    std::error_code ec;
    const fs::path absolute = fs::absolute(fs::u8path(path), ec);
    return (ec ? fs::u8path(path) : absolute).lexically_normal();
}

// The folder `path` lies in, made absolute and plain.
fs::path FolderOf(const std::string& path)
{
    return Plain(path).parent_path();
}

bool IsFolder(const fs::path& folder)
{
    std::error_code ec;
    return fs::is_directory(folder, ec);
}

}  // namespace

const FileDialogSetup& OpenDialogSetup()
{
    static const FileDialogSetup setup{FileDialogKind::Open,
                                       "Open Object File...",
                                       {{"All Files (*.*)", ""},
                                        {"Tasm OBJ Files (Intel, Motorola or MOS Hex, *.OBJ)", "OBJ"},
                                        {"Tasm LST Files (*.LST)", "LST"},
                                        {"Kestrane EXE Files (*.EXE)", "EXE"},
                                        {"Binary files (*.BIN)", "BIN"}},
                                       2,
                                       true,
                                       false,
                                       0x1004,
                                       ""};
    return setup;
}

const FileDialogSetup& SaveDialogSetup()
{
    static const FileDialogSetup setup{FileDialogKind::Save,
                                       "Save Kestrane EXE As...",
                                       {{"All Files (*.*)", ""}, {"Kestrane EXE Files (*.EXE)", "EXE"}},
                                       2,
                                       false,
                                       true,
                                       0x40804,
                                       "EXE"};
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

DialogStart SaveDialogStart(const std::string& presetPath)
{
    if (presetPath.empty()) {
        return {};
    }
    const fs::path preset = Plain(presetPath);
    fs::path folder = preset.parent_path();
    while (!IsFolder(folder) && folder.has_relative_path()) {
        folder = folder.parent_path();
    }
    return {folder.u8string(), preset.lexically_relative(folder).make_preferred().u8string()};
}

bool OpensWhenDropped(const std::string& path)
{
    return SourceKindOf(path) != SourceKind::Other && !IsFolder(fs::u8path(path));
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
