#include "LimitedRun.h"

#include "TempDir.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdlib>

namespace {
constexpr const char* kTime = "/usr/bin/time";
}

bool CanMeasurePeakMemory()
{
    return access(kTime, X_OK) == 0;
}

LimitedRun RunLimited(const std::string& program, const std::vector<std::string>& args,
                      const std::string& workDir, std::uint64_t fileSizeLimit, std::uint64_t memoryLimit)
{
    TempDir capture;
    const std::string outPath = capture / "stdout";
    const std::string errPath = capture / "stderr";
    const std::string peakPath = capture / "peak";
    const bool measure = memoryLimit == 0 && CanMeasurePeakMemory();
    std::vector<const char*> command;
    if (measure) {
        command = {kTime, "-f", "%M", "-o", peakPath.c_str()};
    }
    command.push_back(program.c_str());
    std::vector<char*> argv;
    for (const char* word : command) {
        argv.push_back(const_cast<char*>(word));
    }
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid == 0) {
        // Only async-signal-safe calls from here to exec.
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || chdir(workDir.c_str()) != 0) {
            _exit(127);
        }
        const rlimit fileSize = {fileSizeLimit, fileSizeLimit};
        const rlimit memory = {memoryLimit, memoryLimit};
        if ((fileSizeLimit > 0 && setrlimit(RLIMIT_FSIZE, &fileSize) != 0) ||
            (memoryLimit > 0 && setrlimit(RLIMIT_AS, &memory) != 0)) {
            _exit(127);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }

    LimitedRun run;
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid) {
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    run.out = ReadFileBytes(outPath);
    run.err = ReadFileBytes(errPath);
    if (measure) {
        // time writes "Command exited with non-zero status N" first when there is one.
        const std::string peak = ReadFileBytes(peakPath);
        const std::size_t last = peak.find_last_of('\n', peak.size() >= 2 ? peak.size() - 2 : 0);
        run.peakKb = std::atol(peak.c_str() + (last == std::string::npos ? 0 : last + 1));
    }
    return run;
}

pid_t StartProgram(std::vector<std::string> words, const std::string& workDir, const std::string& out,
                   const std::string& err)
{
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        // Only async-signal-safe calls from here to exec.
        const int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (outFd < 0 || errFd < 0 || chdir(workDir.c_str()) != 0 || dup2(outFd, 1) < 0 ||
            dup2(errFd, 2) < 0) {
            _exit(127);
        }
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}
