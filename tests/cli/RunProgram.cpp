#include "RunProgram.h"

#include "TempDir.h"

#include <cstdlib>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

namespace {

#ifdef _WIN32

// cmd.exe runs the command; a UTF-8 path reaches it intact only as wide text.
std::wstring Wide(const std::string& utf8)
{
    return std::filesystem::u8path(utf8).wstring();
}

std::string Quote(const std::string& arg)
{
    return "\"" + arg + "\"";
}

// A path as cmd.exe expects it, with backslashes.
std::string NativePath(const std::string& path)
{
    return std::filesystem::u8path(path).make_preferred().u8string();
}

int RunCommand(const std::string& command)
{
    // cmd /c strips one pair of outer quotes.
    return _wsystem(Wide("\"" + command + "\"").c_str());
}

#else

std::string Quote(const std::string& arg)
{
    std::string quoted = "'";
    for (const char c : arg) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string NativePath(const std::string& path)
{
    return path;
}

int RunCommand(const std::string& command)
{
    const int result = std::system(command.c_str());
    return WIFEXITED(result) ? WEXITSTATUS(result) : -1;
}

#endif

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& workDir)
{
    TempDir capture;
    const std::string outPath = capture / "stdout";
    const std::string errPath = capture / "stderr";
#ifdef _WIN32
    const char* const changeDir = "cd /d ";
#else
    const char* const changeDir = "cd ";
#endif
    std::string command = changeDir + Quote(NativePath(workDir)) + " && " + Quote(NativePath(program));
    for (const std::string& arg : args) {
        command += " " + Quote(arg);
    }
    command += " > " + Quote(outPath) + " 2> " + Quote(errPath);
    ProgramRun run;
    run.status = RunCommand(command);
    run.out = ReadFileBytes(outPath);
    run.err = ReadFileBytes(errPath);
    return run;
}

bool ProgramAvailable(const std::string& name)
{
#ifdef _WIN32
    wchar_t found[MAX_PATH];
    return SearchPathW(nullptr, Wide(name).c_str(), L".exe", MAX_PATH, found, nullptr) != 0;
#else
    return std::system(("command -v " + Quote(name) + " >/dev/null 2>&1").c_str()) == 0;
#endif
}

std::string LfLineEnds(std::string text)
{
#ifdef _WIN32
    std::size_t at = 0;
    while ((at = text.find("\r\n", at)) != std::string::npos) {
        text.erase(at, 1);
        ++at;
    }
#endif
    return text;
}
