// quillet-cli --watch (Linux): the executable follows the object file as the assembler
// writes it again, in place or by renaming a new file over it; a file that fails is said
// and watching goes on; Ctrl+C ends it with 0.

#include "CliTestSupport.h"
#include "LimitedRun.h"

#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <csignal>
#include <functional>
#include <thread>

namespace {

// The lines of `text`, each without the time of day it begins with ("12:04:31 "); a line
// that begins otherwise is kept whole, to fail the comparison.
std::vector<std::string> Untimed(const std::string& text)
{
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end - at);
        const bool timed = line.size() > 9 && line[2] == ':' && line[5] == ':' && line[8] == ' ';
        lines.push_back(timed ? line.substr(9) : line);
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

class CliWatch : public CliTest {
protected:
    // A watch a failed check left running is ended with the test.
    void TearDown() override
    {
        if (cli > 0 && waitpid(cli, nullptr, WNOHANG) == 0) {
            kill(cli, SIGKILL);
            waitpid(cli, nullptr, 0);
        }
    }

    // Starts quillet-cli with `args` in the folder, its messages going to the files
    // "stdout" and "stderr" there.
    pid_t Start(const std::vector<std::string>& args)
    {
        std::vector<std::string> words = {QUILLET_CLI};
        words.insert(words.end(), args.begin(), args.end());
        return StartProgram(words, dir.Path().string(), dir / "stdout", dir / "stderr");
    }

    // Waits, five seconds at most, until standard output and standard error hold `out` and
    // `err` lines in all; returns them, without their times.
    std::pair<std::vector<std::string>, std::vector<std::string>> Lines(std::size_t out, std::size_t err)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        std::vector<std::string> outLines;
        std::vector<std::string> errLines;
        do {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            outLines = Untimed(ReadFileBytes(dir / "stdout"));
            errLines = Untimed(ReadFileBytes(dir / "stderr"));
        } while ((outLines.size() < out || errLines.size() < err) &&
                 std::chrono::steady_clock::now() < deadline);
        return {outLines, errLines};
    }

    pid_t cli = -1;
};

}  // namespace

TEST_F(CliWatch, ConvertsAgainEachTimeTheFileIsWrittenAndCtrlCEndsItWithZero)
{
    const std::string hello = ReadFileBytes(DataFile("hello.obj"));
    const std::string split = ReadFileBytes(DataFile("split.obj"));
    const std::string helloExe = ReadFileBytes(DataFile("expected/HELLO.OBJ.EXE"));
    const std::string splitExe = ReadFileBytes(DataFile("expected/SPLIT.OBJ.EXE"));
    const std::string saved = "File saved as 'GAME.EXE'";
    const std::vector<std::string> splitWarnings = {
        "game.obj: Dump line at 9000 does not follow on from the bytes before it, which end at 800E; the "
        "executable holds them one after another.",
        "game.obj: Dump line at 9100 does not follow on from the bytes before it, which end at 9013; the "
        "executable holds them one after another."};
    const struct {
        const char* what;
        std::function<void()> write;
        std::vector<std::string> out;  // new lines, after the time
        std::vector<std::string> err;
        std::string exe;  // GAME.EXE afterwards
    } steps[] = {
        {"converted as it starts", [] {}, {saved}, {}, helloExe},
        {"written in place", [&] { dir.Write("game.obj", split); }, {saved}, splitWarnings, splitExe},
        {"a new file renamed over it",
         [&] {
             dir.Write("game.new", ReadFileBytes(DataFile("hello-mos.obj")));
             std::filesystem::rename(dir / "game.new", dir / "game.obj");
         },
         {saved},
         {},
         helloExe},
        {"a bad checksum: the executable stays",
         [&] { dir.Write("game.obj", ":0180000080FF\n:0180010011EE\n"); },
         {},
         {"game.obj:2: Last line listed failed checksum. File read aborted.", "game.obj: Nothing saved."},
         helloExe},
        {"then a good write", [&] { dir.Write("game.obj", split); }, {saved}, splitWarnings, splitExe},
    };
    dir.Write("game.obj", hello);
    cli = Start({"--watch", "game.obj"});
    std::vector<std::string> out;
    std::vector<std::string> err;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.write();
        out.insert(out.end(), step.out.begin(), step.out.end());
        err.insert(err.end(), step.err.begin(), step.err.end());
        const auto [outLines, errLines] = Lines(out.size(), err.size());
        ASSERT_EQ(outLines, out);
        ASSERT_EQ(errLines, err);
        EXPECT_TRUE(ReadFileBytes(dir / "GAME.EXE") == step.exe);
    }
    kill(cli, SIGINT);
    int status = -1;
    ASSERT_EQ(waitpid(cli, &status, 0), cli);
    cli = -1;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(dir.FileNames(), (std::vector<std::string>{"GAME.EXE", "game.obj", "stderr", "stdout"}));
}
