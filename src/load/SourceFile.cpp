#include "load/SourceFile.h"

#include "model/TextUtil.h"

namespace {

// What separates folders in a path: on Windows "\\" and "/"; elsewhere "\\" is an
// ordinary character of a name.
#ifdef _WIN32
constexpr const char* kSeparators = "\\/";
#else
constexpr const char* kSeparators = "/";
#endif

// Index of the first character of the file name.
std::size_t FileNameStart(std::string_view path)
{
    const std::size_t slash = path.find_last_of(kSeparators);
    return slash == std::string_view::npos ? 0 : slash + 1;
}

bool EndsWith(std::string_view text, std::string_view tail)
{
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

SourceKind SourceKindOf(std::string_view path)
{
    const std::string upper = ToUpperAscii(path);
    if (EndsWith(upper, "OBJ")) {
        return SourceKind::ObjectFile;
    }
    if (EndsWith(upper, "LST")) {
        return SourceKind::Listing;
    }
    if (EndsWith(upper, "EXE")) {
        return SourceKind::Executable;
    }
    if (EndsWith(upper, "BIN")) {
        return SourceKind::Binary;
    }
    return SourceKind::Other;
}

std::string DisplayName(std::string_view path)
{
    return ToUpperAscii(path.substr(FileNameStart(path)));
}

std::string ExePathFor(std::string_view path)
{
    if (SourceKindOf(path) == SourceKind::Executable) {
        return std::string(path);
    }
    const std::size_t nameStart = FileNameStart(path);
    std::string name = ToUpperAscii(path.substr(nameStart));
    if (EndsWith(name, ".OBJ") || EndsWith(name, ".LST") || EndsWith(name, ".BIN")) {
        name.resize(name.size() - 4);
    }
    return std::string(path.substr(0, nameStart)) + name + ".EXE";
}
