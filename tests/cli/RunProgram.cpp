#include "RunProgram.h"

#include "TempDir.h"

#include <cstdlib>
#include <filesystem>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace {

std::string Quote(const std::string& arg)
{
#ifdef _WIN32
    return "\"" + arg + "\"";
#else
    std::string quoted = "'";
    for (const char c : arg) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
#endif
}

int ExitStatusOf(int result)
{
#ifdef _WIN32
    return result;
#else
    return WIFEXITED(result) ? WEXITSTATUS(result) : -1;
#endif
}

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& workDir)
{
    TempDir capture;
    const std::string outPath = capture / "stdout";
    const std::string errPath = capture / "stderr";
#ifdef _WIN32
    std::string command = "cd /d " + Quote(workDir) + " && " + Quote(program);
#else
    std::string command = "cd " + Quote(workDir) + " && " + Quote(program);
#endif
    for (const std::string& arg : args) {
        command += " " + Quote(arg);
    }
    command += " > " + Quote(outPath) + " 2> " + Quote(errPath);
#ifdef _WIN32
    command = "\"" + command + "\"";  // cmd /c strips one pair of outer quotes
#endif
    ProgramRun run;
    run.status = ExitStatusOf(std::system(command.c_str()));
    run.out = ReadFileBytes(outPath);
    run.err = ReadFileBytes(errPath);
    return run;
}

bool ProgramAvailable(const std::string& name)
{
#ifdef _WIN32
    return std::system(("where " + name + " >NUL 2>NUL").c_str()) == 0;
#else
    return std::system(("command -v " + Quote(name) + " >/dev/null 2>&1").c_str()) == 0;
#endif
}
