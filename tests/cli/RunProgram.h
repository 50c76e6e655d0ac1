#pragma once

#include <string>
#include <vector>

struct ProgramRun {
    int status = -1;  // the exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs `program` with `args` in the folder `workDir` and collects its exit status and
// what it wrote to standard output and standard error.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& workDir);

// True when a program of that name can be found on the search path.
bool ProgramAvailable(const std::string& name);

// Text a program wrote to the console, with the line ends of Linux: on Windows a console
// program's lines end in CR LF.
std::string LfLineEnds(std::string text);
