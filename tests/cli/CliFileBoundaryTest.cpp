// quillet-cli where it meets the file system (Linux only): every kind of output path,
// sources that are not plain files, the order of the safe write, failures injected into
// it, and writes cut short by signals. Each case checks that no other file is harmed and
// nothing is left behind.

#include "CliTestSupport.h"
#include "LimitedRun.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <thread>

namespace fs = std::filesystem;

namespace {

const std::string kUsageLine =
    "usage: quillet-cli [-o FILE | --info] [--watch] [--org N] [--ent N] [--sp N] FILE...\n";

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

// The extended attributes of a file, ACL included, by name.
std::map<std::string, std::string> Attributes(const std::string& path)
{
    std::map<std::string, std::string> attributes;
    std::string names(4096, '\0');
    names.resize(
        static_cast<std::size_t>(std::max<ssize_t>(0, listxattr(path.c_str(), names.data(), names.size()))));
    for (std::size_t at = 0; at < names.size(); at = names.find('\0', at) + 1) {
        const std::string name = names.c_str() + at;
        std::string value(4096, '\0');
        value.resize(static_cast<std::size_t>(
            std::max<ssize_t>(0, getxattr(path.c_str(), name.c_str(), value.data(), value.size()))));
        attributes[name] = value;
    }
    return attributes;
}

// The user nobody, whom the tests make another user than the one running them.
constexpr uid_t kNobody = 65534;

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

    // Runs quillet-cli as a user who is not root: the one running the test, or, where that
    // is root, nobody, who is then given the folder.
    ProgramRun CliAsAnotherUser(const std::vector<std::string>& args)
    {
        if (geteuid() != 0) {
            return Cli(args);
        }
        std::vector<std::string> words = {"--reuid=65534", "--regid=65534", "--clear-groups", QUILLET_CLI};
        words.insert(words.end(), args.begin(), args.end());
        return RunProgram("setpriv", words, dir.Path().string());
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
        bool asAnotherUser = false;  // run by a user who is not root
    };
    int fifoReader = -1;
    pid_t lateReader = -1;
    std::map<std::string, std::string> attributes;
    // Another user's link in a sticky folder anyone may write to, owned by root, leading to
    // `to`; only root can give a link away.
    const auto othersLinkInStickyFolder = [&](const std::string& to) -> std::string {
        if (geteuid() != 0) {
            return "running as root";
        }
        fs::create_directory(dir / "sticky");
        fs::permissions(dir / "sticky", fs::perms::all | fs::perms::sticky_bit);
        fs::create_symlink(to, dir / "sticky/GAME.EXE");
        return lchown((dir / "sticky/GAME.EXE").c_str(), kNobody, kNobody) == 0 ? "" : "lchown";
    };
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
        {"a FIFO whose reader comes later is waited for, as a shell's > waits",
         [&] {
             if (mkfifo((dir / "late").c_str(), 0600) != 0) {
                 return "mkfifo";
             }
             const std::string reader = "sleep 0.3; exec timeout 10 cat late >late.bin";
             const std::string folder = dir.Path().string();
             lateReader = fork();
             if (lateReader == 0) {
                 if (chdir(folder.c_str()) == 0) {
                     execlp("sh", "sh", "-c", reader.c_str(), static_cast<char*>(nullptr));
                 }
                 _exit(127);
             }
             return lateReader > 0 ? "" : "fork";
         },
         {"-o", "late", "hello.obj"},
         0,
         "",
         [&] {
             waitpid(lateReader, nullptr, 0);
             EXPECT_EQ(ReadFileBytes(dir / "late.bin"), exe);
             EXPECT_TRUE(S_ISFIFO(LinkFacts(dir / "late").st_mode));
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
        {"an earlier file keeps its ACL, whose mask its group bits are, and its attributes",
         [&] {
             chmod(dir.Write("ACL.EXE", "old").c_str(), 0640);
             if (!ProgramAvailable("setfacl") || !ProgramAvailable("setfattr") ||
                 RunProgram("setfacl", {"-m", "u:nobody:rw", "ACL.EXE"}, dir.Path().string()).status != 0 ||
                 RunProgram("setfattr", {"-n", "user.origin", "-v", "build 42", "ACL.EXE"},
                            dir.Path().string())
                         .status != 0) {
                 return "setting an ACL or an attribute (acl, attr, a file system that keeps them)";
             }
             attributes = Attributes(dir / "ACL.EXE");
             return "";
         },
         {"-o", "ACL.EXE", "hello.obj"},
         0,
         "",
         [&] {
             EXPECT_EQ(ReadFileBytes(dir / "ACL.EXE"), exe);
             EXPECT_EQ(Attributes(dir / "ACL.EXE"), attributes);
             EXPECT_EQ(attributes.count("system.posix_acl_access"), 1u);
             EXPECT_EQ(LinkFacts(dir / "ACL.EXE").st_mode & 07777, 0660u);
         }},
        {"an earlier file the user may not write is left alone",
         [&] {
             chmod(dir.Write("RO.EXE", "old").c_str(), 0444);
             const bool given = geteuid() != 0 || chown(dir.Path().c_str(), kNobody, kNobody) == 0;
             return !given ? "chown" : geteuid() == 0 && !ProgramAvailable("setpriv") ? "setpriv" : "";
         },
         {"-o", "RO.EXE", "hello.obj"},
         1,
         "hello.obj: Cannot write 'RO.EXE': Permission denied. File not saved.\n",
         [&] { EXPECT_EQ(ReadFileBytes(dir / "RO.EXE"), "old"); },
         true},
        {"another user's link in a sticky folder is not followed",
         [&] { return othersLinkInStickyFolder(dir.Write("victim", "old")); },
         {"-o", "sticky/GAME.EXE", "hello.obj"},
         1,
         "hello.obj: Cannot write 'sticky/GAME.EXE': Permission denied. File not saved.\n",
         [&] {
             EXPECT_EQ(ReadFileBytes(dir / "victim"), "old");
             EXPECT_TRUE(S_ISLNK(LinkFacts(dir / "sticky/GAME.EXE").st_mode));
         }},
        {"nor is one that leads nowhere yet",
         [&] {
             fs::remove_all(dir / "sticky");
             fs::create_directory(dir / "elsewhere");
             return othersLinkInStickyFolder(dir / "elsewhere/NEW.EXE");
         },
         {"-o", "sticky/GAME.EXE", "hello.obj"},
         1,
         "hello.obj: Cannot write 'sticky/GAME.EXE': Permission denied. File not saved.\n",
         [&] { EXPECT_TRUE(fs::is_empty(dir / "elsewhere")); }},
        {"but the folder owner's link is followed",
         [&] {
             fs::remove_all(dir / "sticky");
             const std::string cannot = othersLinkInStickyFolder(dir.Write("target", "old"));
             return !cannot.empty() || chown((dir / "sticky").c_str(), kNobody, kNobody) == 0 ? cannot
                                                                                              : "chown";
         },
         {"-o", "sticky/GAME.EXE", "hello.obj"},
         0,
         "",
         [&] {
             EXPECT_EQ(ReadFileBytes(dir / "target"), exe);
             EXPECT_TRUE(S_ISLNK(LinkFacts(dir / "sticky/GAME.EXE").st_mode));
         }},
        {"an earlier file keeps another user's owner and group",
         [&] {
             if (geteuid() != 0) {
                 return "running as root";
             }
             return chown(dir.Write("THEIRS.EXE", "old").c_str(), kNobody, kNobody) == 0 ? "" : "chown";
         },
         {"-o", "THEIRS.EXE", "hello.obj"},
         0,
         "",
         [&] {
             EXPECT_EQ(ReadFileBytes(dir / "THEIRS.EXE"), exe);
             EXPECT_EQ(LinkFacts(dir / "THEIRS.EXE").st_uid, kNobody);
             EXPECT_EQ(LinkFacts(dir / "THEIRS.EXE").st_gid, kNobody);
         }},
        {"a file without an ACL gets none from the folder's default",
         [&] {
             fs::create_directory(dir / "shared");
             chmod(dir.Write("shared/PLAIN.EXE", "old").c_str(), 0640);
             return ProgramAvailable("setfacl") &&
                            RunProgram("setfacl", {"-d", "-m", "u:nobody:rw", "shared"}, dir.Path().string())
                                    .status == 0
                        ? ""
                        : "setting a default ACL (acl, a file system that keeps them)";
         },
         {"-o", "shared/PLAIN.EXE", "hello.obj"},
         0,
         "",
         [&] {
             EXPECT_EQ(ReadFileBytes(dir / "shared/PLAIN.EXE"), exe);
             EXPECT_EQ(Attributes(dir / "shared/PLAIN.EXE").count("system.posix_acl_access"), 0u);
             EXPECT_EQ(LinkFacts(dir / "shared/PLAIN.EXE").st_mode & 07777, 0640u);
         }},
        {"links that cannot be followed before the read are followed by the write, to the source",
         [&] {
             // Each link leads through another, "sub": 40 to the source, 80 for the system,
             // which cannot tell where they lead; the write, link by link, finds the source.
             fs::create_directory_symlink(".", dir / "sub");
             fs::create_symlink("sub/hello.obj", dir / "l0");
             for (int i = 1; i < 40; ++i) {
                 fs::create_symlink("sub/l" + std::to_string(i - 1), dir / ("l" + std::to_string(i)));
             }
             return "";
         },
         {"-o", "l39", "hello.obj"},
         1,
         "hello.obj: The output 'l39' is the file being converted. Nothing saved.\n",
         [] {}},
        {"one link more than the system follows",
         [&] {
             fs::create_symlink("OUT.EXE", dir / "n0");
             for (int i = 1; i <= 40; ++i) {
                 fs::create_symlink("n" + std::to_string(i - 1), dir / ("n" + std::to_string(i)));
             }
             return "";
         },
         {"-o", "n40", "hello.obj"},
         1,
         "hello.obj: Cannot write 'n40': Too many levels of symbolic links. File not saved.\n",
         [&] { EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "OUT.EXE"))); }},
        {"a folder is refused",
         [] { return ""; },
         {"-o", ".", "hello.obj"},
         2,
         "hello.obj: The output '.' is a folder. Nothing saved.\n" + kUsageLine,
         [] {}},
        {"names are shown with their control characters and text-reordering characters escaped",
         [&] {
             fs::copy_file(dir / "hello.obj", dir / "x\033]0;PWNED\007y\u202Ejbo.obj");
             return "";
         },
         {"-o", "\x9b\xc2\x9b\xe2\x82\u2066\u061C\u200F\u2069/", "x\033]0;PWNED\007y\u202Ejbo.obj"},
         2,
         "x\\033]0;PWNED\\007y\\u202Ejbo.obj: The output "
         "'\\x9b\\xc2\\x9b\\xe2\\x82\\u2066\\u061C\\u200F\\u2069/' "
         "is a "
         "folder. Nothing saved.\n" +
             kUsageLine,
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
        const ProgramRun run = t.asAnotherUser ? CliAsAnotherUser(t.args) : Cli(t.args);
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

TEST_F(CliFileBoundary, StandardOutputIsWrittenIntoAsItStandsAndNeverTheSource)
{
    // Into a pipe, by any name that leads to it, and appended to a file the shell opened
    // for appending; the closing line goes to standard error then. Appended to the
    // source, it would harm it.
    dir.Write("bundle.bin", "HEAD");
    dir.Write("err.bin", "HEAD");
    fs::create_symlink("/dev/stdout", dir / "out.exe");
    const std::string cli = std::string("'") + QUILLET_CLI + "'";
    const ProgramRun run = RunProgram(
        "sh",
        {"-c", cli + " -o /dev/stdout hello.obj | cat >piped.bin; " + cli +
                   " -o //dev/./stdout hello.obj | cat >dotted.bin; " + cli +
                   " -o out.exe hello.obj | cat >linked.bin; " + cli + " -o - hello.obj >>bundle.bin; " +
                   cli + " -o /dev/fd/1 hello.obj >>bundle.bin; " + cli +
                   " -o err.bin hello.obj 2>>err.bin; " + cli + " -o /dev/stdout hello.obj >>hello.obj"},
        dir.Path().string());
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
              "File saved as '/dev/stdout'\nFile saved as '//dev/./stdout'\nFile saved as 'out.exe'\n"
              "File saved as '-'\nFile saved as '/dev/fd/1'\n"
              "hello.obj: The output '/dev/stdout' is the file being converted. Nothing saved.\n" +
                  kUsageLine);
    for (const char* const piped : {"piped.bin", "dotted.bin", "linked.bin"}) {
        EXPECT_EQ(ReadFileBytes(dir / piped), exe) << piped;
    }
    EXPECT_EQ(ReadFileBytes(dir / "bundle.bin"), "HEAD" + exe + exe);
    EXPECT_EQ(ReadFileBytes(dir / "err.bin"), "HEAD" + exe);  // standard error's file, by its name
    EXPECT_EQ(ReadFileBytes(dir / "hello.obj"), ReadFileBytes(DataFile("hello.obj")));

    // A descriptor that holds the source is not written into, though the links that lead
    // to its name are more than the system follows, so that only the write finds it.
    fs::create_directory_symlink(".", dir / "sub");
    fs::create_symlink("/dev/fd/3", dir / "l0");
    for (int i = 1; i < 40; ++i) {
        fs::create_symlink("sub/l" + std::to_string(i - 1), dir / ("l" + std::to_string(i)));
    }
    const ProgramRun held =
        RunProgram("sh", {"-c", cli + " -o l39 hello.obj 3>>hello.obj"}, dir.Path().string());
    EXPECT_EQ(held.status, 1);
    EXPECT_EQ(held.err, "hello.obj: The output 'l39' is the file being converted. Nothing saved.\n");
    EXPECT_EQ(ReadFileBytes(dir / "hello.obj"), ReadFileBytes(DataFile("hello.obj")));

    // Onto a terminal of the session it is refused, as a command-line error, by any name:
    // its bytes would be taken for the terminal's commands. A terminal that is none of the
    // session's, as a serial port is, is written into.
    const auto openTerminal = [] {
        const int terminal = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        return terminal >= 0 && grantpt(terminal) == 0 && unlockpt(terminal) == 0 ? terminal : -1;
    };
    const int terminal = openTerminal();
    const int other = openTerminal();
    ASSERT_TRUE(terminal >= 0 && other >= 0);
    const std::string pts = ptsname(terminal);
    const std::string refused =
        "hello.obj: Not writing an executable to a terminal: redirect standard output or use -o FILE.\n" +
        kUsageLine;
    for (const auto& [args, status] : std::vector<std::pair<std::string, int>>{
             {"-o - hello.obj >" + pts, 2},
             {"-o /dev/stderr hello.obj 2>" + pts, 2},
             {"-o " + pts + " hello.obj 2>" + pts, 2},
             {"-o /dev/tty hello.obj 2>" + pts, 2},
             {"-o " + std::string(ptsname(other)) + " hello.obj 2>" + pts, 0},
         }) {
        SCOPED_TRACE(args);
        const ProgramRun onTerminal = RunProgram("sh", {"-c", cli + " " + args}, dir.Path().string());
        std::string shown(4096, '\0');
        shown.resize(
            static_cast<std::size_t>(std::max<ssize_t>(0, read(terminal, shown.data(), shown.size()))));
        shown.erase(std::remove(shown.begin(), shown.end(), '\r'), shown.end());
        EXPECT_EQ(onTerminal.status, status);
        EXPECT_EQ(onTerminal.err + shown, status == 0 ? "" : refused);
    }
    close(terminal);
    close(other);

    // Standard output that cannot take what is written to it is a failure.
    for (const std::string args : {"--info hello.obj", "--help", "--version"}) {
        SCOPED_TRACE(args);
        const ProgramRun full =
            RunProgram("sh", {"-c", cli + " " + args + " >/dev/full"}, dir.Path().string());
        EXPECT_EQ(full.status, 1);
        EXPECT_EQ(full.err, "quillet-cli: write error: No space left on device\n");
    }
}

TEST_F(CliFileBoundary, OnlyTheRegularFileNamedExactlyIsRead)
{
    ASSERT_EQ(mkfifo((dir / "fifo.obj").c_str(), 0600), 0);
    ASSERT_EQ(chmod((dir / "fifo.obj").c_str(), 0666), 0);
    fs::create_symlink("/dev/zero", dir / "zero.lst");
    // A file in a folder its user may not search is there, but cannot be read.
    fs::create_directory(dir / "locked");
    fs::copy_file(dir / "hello.obj", dir / "locked/hello.obj");
    fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(geteuid() != 0 || chown(dir.Path().c_str(), kNobody, kNobody) == 0);
    const std::string refused = ". File read aborted.\n";
    for (const auto& [name, reason] :
         std::vector<std::pair<std::string, std::string>>{{"fifo.obj", "not a regular file"},
                                                          {"zero.lst", "not a regular file"},
                                                          {"locked/hello.obj", "Permission denied"}}) {
        SCOPED_TRACE(name);
        // At once: neither waits for a writer nor reads for ever.
        const ProgramRun run = CliAsAnotherUser({name});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err,
                  name + ": Cannot read '" + name + "': " + reason + refused + name + ": Nothing saved.\n");
    }
    fs::permissions(dir / "locked", fs::perms::owner_all);

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

TEST_F(CliFileBoundary, OnAMemoryCardTheSourceUnderAnotherSpellingIsTheSource)
{
    // A FAT image mounted through FUSE, as a memory card may be: each spelling of a name
    // reports an inode number of its own there, so only the name tells that HELLO.OBJ is
    // hello.obj.
    if (!ProgramAvailable("fusefat") || !ProgramAvailable("mkfs.fat") || !ProgramAvailable("fusermount")) {
        GTEST_SKIP() << "fusefat, mkfs.fat (dosfstools) or fusermount (fuse) is not installed";
    }
    if (access("/dev/fuse", R_OK | W_OK) != 0) {
        GTEST_SKIP() << "/dev/fuse cannot be used here";
    }
    fs::create_directory(dir / "card");
    if (RunProgram("mkfs.fat", {"-C", "card.img", "2048"}, dir.Path().string()).status != 0 ||
        RunProgram("fusefat", {"-o", "rw+", "card.img", "card"}, dir.Path().string()).status != 0) {
        GTEST_SKIP() << "a FAT image could not be made and mounted with fusefat (no right to mount here)";
    }
    const std::string card = dir / "card";
    struct Unmount {
        std::string card;
        ~Unmount() { RunProgram("fusermount", {"-u", card}, "/"); }
    } unmount{card};
    dir.Write("card/hello.obj", ReadFileBytes(DataFile("hello.obj")));

    for (const std::string output : {"HELLO.OBJ", "Hello.obj", "./HELLO.OBJ"}) {
        SCOPED_TRACE(output);
        const ProgramRun run = RunProgram(QUILLET_CLI, {"-o", output, "hello.obj"}, card);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, "hello.obj: The output '" + output +
                               "' is the file being converted. Nothing saved.\n" + kUsageLine);
        EXPECT_EQ(ReadFileBytes(dir / "card/hello.obj"), ReadFileBytes(DataFile("hello.obj")));
    }
    // Another name is another file, there as anywhere.
    const ProgramRun run = RunProgram(QUILLET_CLI, {"hello.obj"}, card);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(ReadFileBytes(dir / "card/HELLO.EXE"), exe);
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

    // Starts quillet-cli with `cliArgs` under strace with `straceArgs`, its messages going
    // to the files "stdout" and "stderr"; returns strace's pid.
    pid_t Start(const std::vector<std::string>& straceArgs,
                const std::vector<std::string>& cliArgs = {"hello.obj"})
    {
        std::filesystem::remove(dir / "trace");
        std::vector<std::string> words = {"strace", "-o", dir / "trace"};
        words.insert(words.end(), straceArgs.begin(), straceArgs.end());
        words.push_back(QUILLET_CLI);
        words.insert(words.end(), cliArgs.begin(), cliArgs.end());
        // LeakSanitizer cannot work under a tracer; the other sanitizers still check.
        const char* asan = std::getenv("ASAN_OPTIONS");
        const std::string before = asan != nullptr ? asan : "";
        setenv("ASAN_OPTIONS", (before + ":detect_leaks=0").c_str(), 1);
        const pid_t pid = StartProgram(words, dir.Path().string(), dir / "stdout", dir / "stderr");
        if (asan != nullptr) {
            setenv("ASAN_OPTIONS", before.c_str(), 1);
        } else {
            unsetenv("ASAN_OPTIONS");
        }
        return pid;
    }

    static int Wait(pid_t pid)
    {
        int status = 0;
        return waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    int Run(const std::vector<std::string>& straceArgs) { return Wait(Start(straceArgs)); }

    // The strace options that tamper with the first `call` of quillet-cli `cliArgs` whose
    // trace holds `match` as `tamper` says ("error=EOPNOTSUPP"): the call is found in a run
    // that traces every such call, each descriptor with the path it holds ("3</d/a.obj>").
    // (Calls are tampered with only where they are traced too.)
    std::vector<std::string> TamperWith(const std::string& call, const std::string& match,
                                        const std::string& tamper,
                                        const std::vector<std::string>& cliArgs = {"hello.obj"})
    {
        Wait(Start({"-y", "-e", "trace=" + call}, cliArgs));
        dir.Write("HELLO.EXE", "an earlier build");
        const std::string trace = ReadFileBytes(dir / "trace");
        const std::size_t at = trace.find(match);
        if (at == std::string::npos) {
            ADD_FAILURE() << "no " << match << " in\n" << trace;
            return {};
        }
        const auto number =
            std::count(trace.begin(), trace.begin() + static_cast<std::ptrdiff_t>(at), '\n') + 1;
        return {"-e", "inject=" + call + ":" + tamper + ":when=" + std::to_string(number)};
    }

    // The options that make the system refuse the unnamed file, as a file system without
    // them does.
    std::vector<std::string> RefuseUnnamedFile()
    {
        return TamperWith("openat", "O_TMPFILE", "error=EOPNOTSUPP");
    }

    // Waits until the trace shows `call` begun after `after` (strace writes that before it
    // holds the call up) and returns the pid of quillet-cli, or -1 when it never does.
    pid_t WaitUntilTraced(pid_t strace, const std::string& call, const std::string& after = "")
    {
        for (int tries = 0; tries < 500; ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            const std::string trace = ReadFileBytes(dir / "trace");
            if (const std::size_t at = trace.find(after);
                at != std::string::npos && trace.find(call, at) != std::string::npos) {
                const std::string children = ReadFileBytes("/proc/" + std::to_string(strace) + "/task/" +
                                                           std::to_string(strace) + "/children");
                if (const int cli = std::atoi(children.c_str()); cli > 0) {
                    return cli;
                }
            }
        }
        return -1;
    }
};

TEST_F(CliUnderStrace, TheNewFileIsSyncedBeforeItHasANameAndTheFolderAfterTheRename)
{
    // The calls in the order they must come, each found after the one before it: the new
    // file unnamed where the file system allows, else created exclusively under a
    // temporary name, never through a link.
    const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> ways = {
        {{}, {"O_TMPFILE", "write(", "fsync(", "linkat(", "\".ql", "rename", "\"HELLO.EXE\"", "fsync("}},
        {RefuseUnnamedFile(),
         {"O_TMPFILE", "EOPNOTSUPP", "\".ql", "O_CREAT|O_EXCL|O_NOFOLLOW", "write(", "fsync(", "close(",
          "rename", "\"HELLO.EXE\"", "fsync("}},
    };
    for (const auto& [inject, order] : ways) {
        SCOPED_TRACE(order[1]);
        std::vector<std::string> args = {"-e", "trace=openat,write,fsync,close,linkat,renameat,renameat2"};
        args.insert(args.end(), inject.begin(), inject.end());
        ASSERT_EQ(Run(args), 0);
        EXPECT_EQ(ReadFileBytes(dir / "HELLO.EXE"), exe);
        EXPECT_EQ(Leftovers(dir), std::vector<std::string>{});
        const std::string trace = ReadFileBytes(dir / "trace");
        std::size_t at = 0;
        for (const std::string& call : order) {
            const std::size_t next = trace.find(call, at);
            ASSERT_NE(next, std::string::npos) << call << " after offset " << at << " in\n" << trace;
            at = next;
        }
    }

    // Written into a regular file that standard output is, the bytes are synced there too.
    ASSERT_EQ(Wait(Start({"-e", "trace=fsync"}, {"-o", "-", "hello.obj"})), 0);
    EXPECT_NE(ReadFileBytes(dir / "trace").find("fsync(1)"), std::string::npos);
}

TEST_F(CliUnderStrace, ASignalDuringTheWriteLeavesTheEarlierFileAndNothingBesideIt)
{
    // Killed outright, the program leaves its unnamed file to the system; the signals it
    // can catch remove a named one before they end it.
    const std::vector<std::string> named = RefuseUnnamedFile();
    const std::vector<std::pair<int, bool>> cuts = {
        {SIGKILL, false},
        {SIGQUIT, true},
        {SIGUSR1, true},
        {SIGALRM, true},
    };
    for (const auto& [signal, isNamed] : cuts) {
        SCOPED_TRACE(strsignal(signal));
        // Each fsync waits a second and a half under strace: time enough to be interrupted.
        std::vector<std::string> args = {"-f", "-e", "trace=openat,fsync", "-e",
                                         "inject=fsync:delay_enter=1500000"};
        if (isNamed) {
            args.insert(args.end(), named.begin(), named.end());
        }
        const pid_t strace = Start(args);
        const pid_t cli = WaitUntilTraced(strace, "fsync(");
        ASSERT_GT(cli, 0) << "the write never reached its sync";
        EXPECT_EQ(Leftovers(dir).size(), isNamed ? 1u : 0u);
        kill(cli, signal);
        Wait(strace);
        EXPECT_EQ(ReadFileBytes(dir / "HELLO.EXE"), "an earlier build");
        EXPECT_EQ(Leftovers(dir), std::vector<std::string>{});
    }
}

TEST_F(CliUnderStrace, AFolderThatCannotBeSyncedFailsTheWriteUnlessItsFileSystemSyncsNoFolders)
{
    // The second fsync is the folder's, after the rename: the new file is in place by
    // then, and the message says so.
    const std::vector<std::tuple<std::string, int, std::string>> cases = {
        {"EIO", 1,
         "hello.obj: File saved as 'HELLO.EXE', but its folder could not be synced: Input/output error. The "
         "file may not survive a crash.\n"},
        {"EINVAL", 0, ""},
    };
    for (const auto& [error, status, err] : cases) {
        SCOPED_TRACE(error);
        EXPECT_EQ(Run({"-e", "trace=fsync", "-e", "inject=fsync:error=" + error + ":when=2"}), status);
        EXPECT_EQ(ReadFileBytes(dir / "stderr"), err);
        EXPECT_EQ(ReadFileBytes(dir / "stdout"), status == 0 ? "File saved as 'HELLO.EXE'\n" : "");
        EXPECT_EQ(ReadFileBytes(dir / "HELLO.EXE"), exe);
        EXPECT_EQ(Leftovers(dir), std::vector<std::string>{});
    }
}

TEST_F(CliUnderStrace, AnEarlierFileWhoseAttributesCannotBeReadIsNotReplacedWithWiderPermissions)
{
    // HELLO.EXE has an ACL, whose mask its group bits show, and an attribute. Read from a
    // descriptor, they are read without /proc (whose names then fail); where they cannot
    // be read at all, the file is left as it was, its ACL and all.
    chmod((dir / "HELLO.EXE").c_str(), 0640);
    if (!ProgramAvailable("setfacl") || !ProgramAvailable("setfattr") ||
        RunProgram("setfacl", {"-m", "u:nobody:rw", "HELLO.EXE"}, dir.Path().string()).status != 0 ||
        RunProgram("setfattr", {"-n", "user.origin", "-v", "build 42", "HELLO.EXE"}, dir.Path().string())
                .status != 0) {
        GTEST_SKIP() << "setting an ACL or an attribute (acl, attr, a file system that keeps them) failed";
    }
    const std::map<std::string, std::string> attributes = Attributes(dir / "HELLO.EXE");
    const std::vector<std::tuple<std::vector<std::string>, int, std::string>> cases = {
        {{"-e", "trace=flistxattr", "-e", "inject=flistxattr:error=EIO"},
         1,
         "hello.obj: Cannot write 'HELLO.EXE': Input/output error. File not saved.\n"},
        {{"-e", "trace=listxattr,getxattr", "-e", "inject=listxattr,getxattr:error=ENOENT"}, 0, ""},
    };
    for (const auto& [inject, status, err] : cases) {
        SCOPED_TRACE(inject.back());
        EXPECT_EQ(Run(inject), status);
        EXPECT_EQ(ReadFileBytes(dir / "stderr"), err);
        EXPECT_EQ(ReadFileBytes(dir / "HELLO.EXE"), status == 0 ? exe : "an earlier build");
        EXPECT_EQ(Attributes(dir / "HELLO.EXE"), attributes);
        EXPECT_EQ(LinkFacts(dir / "HELLO.EXE").st_mode & 07777, 0660u);
        EXPECT_EQ(Leftovers(dir), std::vector<std::string>{});
    }
}

TEST_F(CliUnderStrace, WhatTheSystemSaysOfTheSourceAndOfTheOutputsFolderIsToldAsItIs)
{
    // The source open, fstat fails: the system's reason, not "not a regular file".
    ASSERT_EQ(Run(TamperWith("newfstatat", "hello.obj>, \"\"", "error=EIO")), 1);
    EXPECT_EQ(ReadFileBytes(dir / "stderr"),
              "hello.obj: Cannot read 'hello.obj': Input/output error. File read aborted.\n"
              "hello.obj: Nothing saved.\n");

    // The output's folder renamed while the new file is written: the file is where the
    // folder went, and that is the path told.
    fs::create_directory(dir / "d");
    const pid_t strace = Start({"-f", "-e", "trace=fsync", "-e", "inject=fsync:delay_enter=1500000:when=1"},
                               {"-o", "d/OUT.EXE", "hello.obj"});
    ASSERT_GT(WaitUntilTraced(strace, "fsync("), 0);
    fs::rename(dir / "d", dir / "d2");
    EXPECT_EQ(Wait(strace), 0);
    EXPECT_EQ(ReadFileBytes(dir / "stdout"),
              "File saved as '" + (fs::canonical(dir / "d2") / "OUT.EXE").string() + "'\n");
    EXPECT_EQ(ReadFileBytes(dir / "d2/OUT.EXE"), exe);
}

TEST_F(CliUnderStrace, AFifoSwappedForAFileOnceLookedAtIsNotWrittenIntoInPlace)
{
    // Held up as it opens the FIFO to write into it, the converter finds a regular file
    // there instead, longer than the executable: it replaces it whole, tail and all.
    ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);
    const std::vector<std::string> cliArgs = {"-o", "pipe", "hello.obj"};
    const int reader =
        open((dir / "pipe").c_str(), O_RDONLY | O_NONBLOCK);  // for the run that finds the call
    std::vector<std::string> args =
        TamperWith("openat", "O_WRONLY|O_NOCTTY|O_NONBLOCK", "delay_enter=1500000", cliArgs);
    close(reader);
    args.insert(args.begin(), {"-f", "-e", "trace=openat"});
    const pid_t strace = Start(args, cliArgs);
    ASSERT_GT(WaitUntilTraced(strace, "O_WRONLY|O_NOCTTY|O_NONBLOCK"), 0);
    fs::remove(dir / "pipe");
    dir.Write("pipe", std::string(5000, 'x'));
    EXPECT_EQ(Wait(strace), 0);
    EXPECT_EQ(ReadFileBytes(dir / "pipe").size(), exe.size()) << "written into, the file keeps its tail";
    EXPECT_TRUE(ReadFileBytes(dir / "pipe") == exe);
    EXPECT_EQ(Leftovers(dir), std::vector<std::string>{});
}

TEST_F(CliUnderStrace, WhatChangesWhileTheSourceIsReadIsFoundBeforeAnythingIsReplaced)
{
    // Held up as it reads hello.obj, the converter finds on its way to the disk what was
    // done meanwhile: the output's name made a link to the source, or the source rewritten
    // to the same length (its first two records swapped), which no size tells.
    const std::string source = ReadFileBytes(dir / "hello.obj");
    const std::size_t second = source.find('\n') + 1;
    const std::size_t third = source.find('\n', second) + 1;
    const std::string swapped =
        source.substr(second, third - second) + source.substr(0, second) + source.substr(third);
    const struct {
        const char* what;
        std::function<void()> change;
        std::string err;
        std::string sourceAfter;
    } cases[] = {
        {"a link",
         [&] {
             fs::remove(dir / "HELLO.EXE");
             fs::create_symlink("hello.obj", dir / "HELLO.EXE");
         },
         "hello.obj: The output 'HELLO.EXE' is the file being converted. Nothing saved.\n", source},
        {"the same length", [&] { dir.Write("hello.obj", swapped); },
         "hello.obj: Cannot read 'hello.obj': the file changed while it was read. File read aborted.\n"
         "hello.obj: Nothing saved.\n",
         swapped},
        // Its modification time put back, as a tool that keeps times does: the change time
        // still tells.
        {"the same length and time",
         [&] {
             const struct stat before = LinkFacts(dir / "hello.obj");
             dir.Write("hello.obj", swapped);
             const struct timespec times[2] = {before.st_atim, before.st_mtim};
             utimensat(AT_FDCWD, (dir / "hello.obj").c_str(), times, 0);
         },
         "hello.obj: Cannot read 'hello.obj': the file changed while it was read. File read aborted.\n"
         "hello.obj: Nothing saved.\n",
         swapped},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(dir / "HELLO.EXE");
        dir.Write("hello.obj", source);
        std::vector<std::string> args = TamperWith("read", ":1880", "delay_enter=1500000");
        args.insert(args.begin(), {"-f", "-e", "trace=openat,read"});
        const pid_t strace = Start(args);
        ASSERT_GT(WaitUntilTraced(strace, "read(", "\"hello.obj\""), 0);
        c.change();
        EXPECT_EQ(Wait(strace), 1);
        EXPECT_EQ(ReadFileBytes(dir / "stderr"), c.err);
        EXPECT_EQ(ReadFileBytes(dir / "hello.obj"), c.sourceAfter);
        EXPECT_EQ(Leftovers(dir), std::vector<std::string>{});
    }
}
