// quillet-cli on what only Windows has: drive letters and backslashes, names found
// whatever their case, an earlier executable replaced by rename (or, while another program
// holds it, waited for a moment and then left alone), the NUL device, console lines that
// end in CR LF, and the program's version and manifest.

#include "CliTestSupport.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <fstream>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string FolderNames(const fs::path& folder)
{
    std::string names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names += entry.path().filename().u8string() + ";";
    }
    return names;
}

}  // namespace

class CliWindows : public CliTest {
protected:
    std::string HelloExe() { return ReadFileBytes(DataFile("expected/HELLO.OBJ.EXE")); }
};

TEST_F(CliWindows, AFullBackslashPathKeepsItsDriveAndFolder)
{
    const std::string root = dir.Path().u8string();
    ASSERT_EQ(root.substr(1, 2), ":\\") << root;
    for (const std::string folder : {"WORK", "OBJ", "My Games"}) {
        SCOPED_TRACE(folder);
        fs::create_directory(dir.Path() / folder);
        dir.Write(folder + "\\DEMO.OBJ", ReadFileBytes(DataFile("hello.obj")));
        const ProgramRun run = Cli({root + "\\" + folder + "\\DEMO.OBJ"});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, "File saved as '" + root + "\\" + folder + "\\DEMO.EXE'\n");
        EXPECT_EQ(run.err, "");
        EXPECT_TRUE(ReadFileBytes(dir / (folder + "\\DEMO.EXE")) == HelloExe());
        EXPECT_EQ(FolderNames(dir.Path() / folder), "DEMO.EXE;DEMO.OBJ;");
    }
}

TEST_F(CliWindows, NamesMatchWhateverTheirCase)
{
    Copy("hello.obj");
    const std::string upper = Upper(dir.Path().u8string());
    ProgramRun run = Cli({upper + "\\HELLO.OBJ"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "File saved as '" + upper + "\\HELLO.EXE'\n");
    EXPECT_EQ(dir.FileNames(), (std::vector<std::string>{"HELLO.EXE", "hello.obj"}));

    // An earlier executable named in lower case is the one replaced.
    fs::remove(dir.Path() / "HELLO.EXE");
    dir.Write("hello.exe", "an earlier build");
    EXPECT_EQ(Cli({"hello.obj"}).status, 0);
    EXPECT_EQ(dir.FileNames().size(), 2u);
    EXPECT_TRUE(ReadFileBytes(dir / "HELLO.EXE") == HelloExe());

    // An output named like the source in another case is the source.
    run = Cli({"-o", "HELLO.OBJ", "hello.obj"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(
        run.err.rfind("hello.obj: The output 'HELLO.OBJ' is the file being converted. Nothing saved.\n", 0),
        0u);
    EXPECT_EQ(ReadFileBytes(dir / "hello.obj"), ReadFileBytes(DataFile("hello.obj")));
}

TEST_F(CliWindows, AnEarlierExecutableIsReplacedWholeUnlessItIsInUse)
{
    Copy("hello.obj");
    dir.Write("HELLO.EXE", std::string(5000, 'x'));  // longer than the new one
    EXPECT_EQ(Cli({"hello.obj"}).status, 0);
    EXPECT_TRUE(ReadFileBytes(dir / "HELLO.EXE") == HelloExe());
    EXPECT_EQ(dir.FileNames(), (std::vector<std::string>{"HELLO.EXE", "hello.obj"}));

    // Held open, as by a program running it, the file cannot be replaced: after trying for
    // a moment nothing is written, the earlier file stays, no temporary file is left
    // behind, and the message says why. Let go of meanwhile, it is replaced.
    dir.Write("HELLO.EXE", "in use");
    // Held as a program that runs it holds it, and not handed down to quillet-cli.
    HANDLE held = CreateFileW((dir.Path() / "HELLO.EXE").wstring().c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const ProgramRun run = Cli({"hello.obj"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(
        run.err,
        "hello.obj: Cannot write 'HELLO.EXE': the file is in use by another program. File not saved.\n");
    EXPECT_EQ(ReadFileBytes(dir / "HELLO.EXE"), "in use");
    EXPECT_EQ(dir.FileNames(), (std::vector<std::string>{"HELLO.EXE", "hello.obj"}));
    std::thread letGo([held] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        CloseHandle(held);
    });
    EXPECT_EQ(Cli({"hello.obj"}).status, 0);
    letGo.join();
    EXPECT_TRUE(ReadFileBytes(dir / "HELLO.EXE") == HelloExe());

    // Eight writes of the same file at once, as a build running in parallel makes them:
    // each waits its turn, and the file is whole.
    std::vector<std::thread> writes;
    std::vector<int> statuses(8, -1);
    for (std::size_t i = 0; i < statuses.size(); ++i) {
        writes.emplace_back([this, &statuses, i] { statuses[i] = Cli({"hello.obj"}).status; });
    }
    for (std::thread& write : writes) {
        write.join();
    }
    EXPECT_EQ(statuses, std::vector<int>(8, 0));
    EXPECT_TRUE(ReadFileBytes(dir / "HELLO.EXE") == HelloExe());
    EXPECT_EQ(dir.FileNames(), (std::vector<std::string>{"HELLO.EXE", "hello.obj"}));

    // A source another program holds without sharing it cannot be read, and that is why.
    const HANDLE locked = CreateFileW((dir.Path() / "hello.obj").wstring().c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_EQ(
        Cli({"hello.obj"}).err,
        "hello.obj: Cannot read 'hello.obj': the file is in use by another program. File read aborted.\n"
        "hello.obj: Nothing saved.\n");
    CloseHandle(locked);

    // Made read-only, it is not the user's to replace.
    dir.Write("HELLO.EXE", "read-only");
    fs::permissions(dir.Path() / "HELLO.EXE", fs::perms::owner_write, fs::perm_options::remove);
    const ProgramRun readOnly = Cli({"hello.obj"});
    EXPECT_EQ(readOnly.status, 1);
    EXPECT_EQ(readOnly.err, "hello.obj: Cannot write 'HELLO.EXE': Permission denied. File not saved.\n");
    EXPECT_EQ(ReadFileBytes(dir / "HELLO.EXE"), "read-only");
    fs::permissions(dir.Path() / "HELLO.EXE", fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(CliWindows, TheNullDeviceIsWrittenIntoNotReplaced)
{
    Copy("hello.obj");
    const ProgramRun run = Cli({"-o", "NUL", "hello.obj"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "File saved as 'NUL'\n");
    EXPECT_EQ(dir.FileNames(), std::vector<std::string>{"hello.obj"});
}

TEST_F(CliWindows, ConsoleLinesEndInCrLf)
{
    const std::string out = RawCli({"--version"}).out;
    const std::string err = RawCli({"missing.obj"}).err;
    EXPECT_EQ(out, "quillet-cli (Kestrane Quillet) 1.20\r\n");
    EXPECT_EQ(err.rfind("missing.obj: It could be a good idea to supply a valid filename...\r\nusage: ", 0),
              0u);
    EXPECT_EQ(err.substr(err.size() - 2), "\r\n");
    EXPECT_EQ(LfLineEnds(err).find('\r'), std::string::npos);
}

TEST_F(CliWindows, CarriesTheVersionAndTheManifestQuilletExeHas)
{
    const std::wstring program = fs::u8path(QUILLET_CLI).wstring();
    DWORD unused = 0;
    std::vector<char> info(GetFileVersionInfoSizeW(program.c_str(), &unused));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(20, 1)));  // 1.20

    const HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const HRSRC manifest = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    const std::string text =
        manifest == nullptr
            ? std::string()
            : std::string(static_cast<const char*>(LockResource(LoadResource(module, manifest))),
                          SizeofResource(module, manifest));
    FreeLibrary(module);
    EXPECT_NE(
        text.find("<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">true<"),
        std::string::npos)
        << text;
}
