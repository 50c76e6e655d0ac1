#include "model/OpenFile.h"

#ifdef _WIN32
#include <filesystem>
#endif

std::FILE* OpenFile(const std::string& path, OpenMode mode)
{
#ifdef _WIN32
    const std::wstring wide = std::filesystem::u8path(path).wstring();
    return _wfopen(wide.c_str(), mode == OpenMode::Read ? L"rb" : L"wb");
#else
    return std::fopen(path.c_str(), mode == OpenMode::Read ? "rb" : "wb");
#endif
}
