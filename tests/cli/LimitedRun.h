#pragma once

// Runs a program as a child process under a file-size limit and measures the most memory
// it held. Linux only: it uses fork and setrlimit, and /usr/bin/time for the measure (a
// child forked from the test inherits the test's own pages, so its peak would count them;
// the program time starts is forked from a small process).

#include "RunProgram.h"

#include <sys/types.h>
#include <cstdint>
#include <string>
#include <vector>

struct LimitedRun : ProgramRun {
    long peakKb = -1;  // the program's peak resident set size in KiB; -1 when not measured
};

// True when /usr/bin/time is there to measure the peak.
bool CanMeasurePeakMemory();

// Runs `program` with `args` in `workDir`. With `fileSizeLimit` above 0, no file the child
// writes may grow past that many bytes, as under `ulimit -f`: a write beyond it raises
// SIGXFSZ, which ends the program unless it ignores the signal, and then fails with EFBIG.
// With `memoryLimit` above 0, the child's address space is limited to that many bytes, as
// under `ulimit -v`, and the peak is not measured.
LimitedRun RunLimited(const std::string& program, const std::vector<std::string>& args,
                      const std::string& workDir, std::uint64_t fileSizeLimit = 0,
                      std::uint64_t memoryLimit = 0);

// Starts `words` (the program first, looked for on the search path) in `workDir` and leaves
// it running, its standard output and error going to the files `out` and `err`; returns its
// pid, for waitpid.
pid_t StartProgram(std::vector<std::string> words, const std::string& workDir, const std::string& out,
                   const std::string& err);
