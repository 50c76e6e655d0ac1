// quillet-cli where it meets the file system (Linux only): every kind of output path,
// sources that are not plain files, the order of the safe write, and a write cut short by
// SIGTERM. Each case checks that no other file is harmed and nothing is left behind.

#include "CliTestSupport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <thread>

namespace fs = std::filesystem;

namespace {

const std::string kUsageLine = "usage: quillet-cli [-o FILE | --info] [--org N] [--ent N] [--sp N] FILE\n";

mode_t Umask()
{
    const mode_t mask = umask(022);
    umask(mask);
    return mask;
}

struct stat LinkFacts(const std::string& path)
{
    struct stat facts = {};
    lstat(path.c_str(), &facts);
    return facts;
}

// The names in the folder that start with a dot: temporary files left behind.
std::vector<std::string> Leftovers(const TempDir& dir)
{
    std::vector<std::string> names;
    for (const std::string& name : dir.FileNames()) {
        if (name[0] == '.') {
            names.push_back(name);
        }
    }
    return names;
}

}  // namespace

class CliFileBoundary : public CliTest {
protected:
    void SetUp() override
    {
        Copy("hello.obj");
        exe = ReadFileBytes(DataFile("expected/HELLO.OBJ.EXE"));
    }

    std::string exe;
};

TEST_F(CliFileBoundary, EveryKindOfOutputIsWrittenAsItShouldBeAndNothingElseIsTouched)
{
    struct Target {
        const char* what;
        std::function<std::string()> prepare;  // makes the target; returns why it cannot, or ""
        std::vector<std::string> args;
        int status;
        std::string err;
        std::function<void()> check;
    };
    int fifoReader = -1;
    const std::vector<Target> targets = {
        {"missing: made under the umask",
         [] { return ""; },
         {"hello.obj"},
         0,
         "",
         [&] {
             EXPECT_EQ(ReadFileBytes(dir / "HELLO.EXE"), exe);
             EXPECT_EQ(LinkFacts(dir / "HELLO.EXE").st_mode & 07777, 0666 & ~Umask());
         }},
        {"a private file stays private",
         [&] { return chmod(dir.Write("HELLO.EXE", "old").c_str(), 0600) == 0 ? "" : "chmod"; },
         {"hello.obj"},
         0,
         "",
         [&] {
             EXPECT_EQ(ReadFileBytes(dir / "HELLO.EXE"), exe);
             EXPECT_EQ(LinkFacts(dir / "HELLO.EXE").st_mode & 07777, 0600u);
         }},
        {"an executable file stays executable",
         [&] { return chmod(dir.Write("RUN.EXE", "old").c_str(), 0755) == 0 ? "" : "chmod"; },
         {"-o", "RUN.EXE", "hello.obj"},
         0,
         "",
         [&] { EXPECT_EQ(LinkFacts(dir / "RUN.EXE").st_mode & 07777, 0755u); }},
        {"a symlink stays a link to the file it names",
         [&] {
             fs::create_directory(dir / "real");
             dir.Write("real/GAME.EXE", "old");
             fs::create_symlink("real/GAME.EXE", dir / "LINK.EXE");
             return "";
         },
         {"-o", "LINK.EXE", "hello.obj"},
         0,
         "",
         [&] {
             EXPECT_TRUE(S_ISLNK(LinkFacts(dir / "LINK.EXE").st_mode));
             EXPECT_EQ(ReadFileBytes(dir / "real/GAME.EXE"), exe);
             EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), fs::directory_iterator()), 1);
         }},
        {"a dangling symlink gets its file",
         [&] {
             fs::create_directory(dir / "made");
             fs::create_symlink("made/NEW.EXE", dir / "DANGLING.EXE");
             return "";
         },
         {"-o", "DANGLING.EXE", "hello.obj"},
         0,
         "",
         [&] {
             EXPECT_TRUE(S_ISLNK(LinkFacts(dir / "DANGLING.EXE").st_mode));
             EXPECT_EQ(ReadFileBytes(dir / "made/NEW.EXE"), exe);
         }},
        {"a FIFO with a reader is written into",
         [&] {
             if (mkfifo((dir / "pipe").c_str(), 0600) != 0) {
                 return "mkfifo";
             }
             fifoReader = open((dir / "pipe").c_str(), O_RDONLY | O_NONBLOCK);
             return fifoReader >= 0 ? "" : "open";
         },
         {"-o", "pipe", "hello.obj"},
         0,
         "",
         [&] {
             std::string got(4096, '\0');
             got.resize(
                 static_cast<std::size_t>(std::max<ssize_t>(0, read(fifoReader, got.data(), got.size()))));
             close(fifoReader);
             EXPECT_EQ(got, exe);
             EXPECT_TRUE(S_ISFIFO(LinkFacts(dir / "pipe").st_mode));
         }},
        {"a character device is written into, never replaced",
         [&] {
             // The null device, made here: needs root and a file system that allows devices.
             return mknod((dir / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0 ? "" : "mknod";
         },
         {"-o", "null", "hello.obj"},
         0,
         "",
         [&] { EXPECT_TRUE(S_ISCHR(LinkFacts(dir / "null").st_mode)); }},
        {"the longest name a file may have",
         [] { return ""; },
         {"-o", std::string(251, 'L') + ".EXE", "hello.obj"},
         0,
         "",
         [&] { EXPECT_EQ(ReadFileBytes(dir / (std::string(251, 'L') + ".EXE")), exe); }},
        {"a folder is refused",
         [] { return ""; },
         {"-o", ".", "hello.obj"},
         2,
         "hello.obj: The output '.' is a folder. Nothing saved.\n" + kUsageLine,
         [] {}},
        {"an empty name is refused",
         [] { return ""; },
         {"-o", "", "hello.obj"},
         2,
         "quillet-cli: option '-o' needs a file name\n" + kUsageLine,
         [] {}},
    };
    for (const Target& t : targets) {
        SCOPED_TRACE(t.what);
        if (const std::string cannot = t.prepare(); !cannot.empty()) {
            std::cout << "[  NOTE    ] not tried, " << cannot << " failed: " << t.what << '\n';
            continue;
        }
        const ProgramRun run = Cli(t.args);
        EXPECT_EQ(run.status, t.status);
        const std::string output = t.args.size() > 1 ? t.args[1] : "HELLO.EXE";
        EXPECT_EQ(run.out, t.status == 0 ? "File saved as '" + output + "'\n" : "");
        EXPECT_EQ(run.err, t.err);
        t.check();
        EXPECT_EQ(Leftovers(dir), std::vector<std::string>{});
        EXPECT_EQ(ReadFileBytes(dir / "hello.obj"), ReadFileBytes(DataFile("hello.obj")));
        std::error_code ignored;
        fs::remove(dir / "HELLO.EXE", ignored);
    }
}

TEST_F(CliFileBoundary, OnlyTheRegularFileNamedExactlyIsRead)
{
    ASSERT_EQ(mkfifo((dir / "fifo.obj").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir / "zero.lst");
    const std::string notRegular = "': not a regular file. File read aborted.\n";
    for (const std::string name : {"fifo.obj", "zero.lst"}) {
        SCOPED_TRACE(name);
        const ProgramRun run = Cli({name});  // at once: neither waits for a writer nor reads for ever
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, name + ": Cannot read '" + name + notRegular + name + ": Nothing saved.\n");
    }

    // A name that begins with a space is its own file, at every step; its trimmed twin is
    // neither read nor written.
    fs::rename(dir / "hello.obj", dir / " hello.obj");
    dir.Write("hello.obj", ":0180000080FF\n");
    const ProgramRun run = Cli({" hello.obj"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "File saved as ' HELLO.EXE'\n");
    EXPECT_EQ(ReadFileBytes(dir / " HELLO.EXE"), exe);
    EXPECT_FALSE(fs::exists(dir / "HELLO.EXE"));
}

class CliUnderStrace : public CliFileBoundary {
protected:
    void SetUp() override
    {
        if (!ProgramAvailable("strace")) {
            GTEST_SKIP() << "strace is not installed";
        }
        CliFileBoundary::SetUp();
        dir.Write("HELLO.EXE", "an earlier build");
    }

    // Starts quillet-cli on hello.obj under strace with `straceArgs`; returns strace's pid.
    pid_t Start(const std::vector<std::string>& straceArgs)
    {
        std::vector<std::string> words = {"strace", "-o", dir / "trace"};
        words.insert(words.end(), straceArgs.begin(), straceArgs.end());
        words.insert(words.end(), {QUILLET_CLI, "hello.obj"});
        const pid_t pid = fork();
        if (pid == 0) {
            std::vector<char*> argv;
            for (std::string& word : words) {
                argv.push_back(word.data());
            }
            argv.push_back(nullptr);
            // LeakSanitizer cannot work under a tracer; the other sanitizers still check.
            const char* asan = std::getenv("ASAN_OPTIONS");
            setenv("ASAN_OPTIONS", (std::string(asan != nullptr ? asan : "") + ":detect_leaks=0").c_str(), 1);
            const int null = open("/dev/null", O_WRONLY);
            if (chdir(dir.Path().c_str()) != 0 || dup2(null, 1) < 0 || dup2(null, 2) < 0) {
                _exit(127);
            }
            execvp("strace", argv.data());
            _exit(127);
        }
        return pid;
    }

    static int Wait(pid_t pid)
    {
        int status = 0;
        return waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

TEST_F(CliUnderStrace, TheNewFileIsCreatedExclusivelyAndSyncedBeforeItReplacesTheOld)
{
    ASSERT_EQ(Wait(Start({"-e", "trace=openat,write,fsync,fdatasync,close,rename,renameat,renameat2"})), 0);
    EXPECT_EQ(ReadFileBytes(dir / "HELLO.EXE"), exe);
    const std::string trace = ReadFileBytes(dir / "trace");
    // The calls in the order they must come, each found after the one before it.
    const std::vector<std::string> order = {
        "O_CREAT|O_EXCL|O_NOFOLLOW",  // the temporary file, never through a link
        "write(",
        "fsync(",
        "close(",
        "rename",
        "\"HELLO.EXE\"",
        "fsync(",  // then the folder
    };
    std::size_t at = trace.find("\".ql");
    ASSERT_NE(at, std::string::npos) << trace;
    for (const std::string& call : order) {
        const std::size_t next = trace.find(call, at);
        ASSERT_NE(next, std::string::npos) << call << " after offset " << at << " in\n" << trace;
        at = next;
    }
}

TEST_F(CliUnderStrace, SigtermDuringTheWriteLeavesTheEarlierFileAndNoTemporaryFile)
{
    // Each fsync waits three seconds under strace: time enough to be interrupted.
    const pid_t strace = Start({"-f", "-e", "trace=fsync", "-e", "inject=fsync:delay_enter=3000000"});
    pid_t cli = -1;
    for (int tries = 0; tries < 200 && cli < 0; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!Leftovers(dir).empty()) {
            const std::string children = ReadFileBytes("/proc/" + std::to_string(strace) + "/task/" +
                                                       std::to_string(strace) + "/children");
            cli = static_cast<pid_t>(std::atoi(children.c_str()));
        }
    }
    ASSERT_GT(cli, 0) << "the temporary file never appeared";
    kill(cli, SIGTERM);
    Wait(strace);
    EXPECT_EQ(ReadFileBytes(dir / "HELLO.EXE"), "an earlier build");
    EXPECT_EQ(Leftovers(dir), std::vector<std::string>{});
}
