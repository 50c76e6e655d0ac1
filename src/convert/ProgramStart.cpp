#include "convert/ProgramStart.h"

#include "load/PathQuestions.h"
#include "model/TextUtil.h"
#include "output/SafeFileWrite.h"

#include <csignal>

#ifdef _WIN32
#include <windows.h>

#include <io.h>        // _get_osfhandle
#include <shellapi.h>  // needs windows.h first
#include <filesystem>
#else
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

void RemoveTemporaryFileAndEnd(int signal)
{
    RemoveTemporaryFileNow();
    // The handler was reset to the default on entry: raised again, the signal ends the
    // program as it would have without us, once this handler returns.
    std::raise(signal);
}

// What CatchStopSignals calls.
void (*volatile g_stop)() = nullptr;

#ifdef _WIN32

BOOL WINAPI StopOnConsoleEvent(DWORD event)
{
    static volatile LONG heard = 0;
    if ((event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) && InterlockedExchange(&heard, 1) == 0) {
        g_stop();
        return TRUE;
    }
    return FALSE;  // the next handler's, the C library's signal
}

#else

void StopOnce(int signal)
{
    // The next one ends the program as SetUpSignals has it.
    struct sigaction action = {};
    action.sa_handler = RemoveTemporaryFileAndEnd;
    action.sa_flags = static_cast<int>(SA_RESETHAND);
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    g_stop();
}

#endif

}  // namespace

void SetUpSignals()
{
#ifdef _WIN32
    for (const int signal : kInterruptingSignals) {
        std::signal(signal, RemoveTemporaryFileAndEnd);
    }
#else
    struct sigaction action = {};
    action.sa_handler = RemoveTemporaryFileAndEnd;
    action.sa_flags = static_cast<int>(SA_RESETHAND);  // a bit that glibc spells unsigned
    sigemptyset(&action.sa_mask);
    for (const int signal : kInterruptingSignals) {
        // One the program was started with ignored (nohup, a shell's trap '' ...) stays so.
        struct sigaction before = {};
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN) {
            sigaction(signal, &action, nullptr);
        }
    }
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

void CatchStopSignals(void (*stop)())
{
    g_stop = stop;
#ifdef _WIN32
    SetConsoleCtrlHandler(StopOnConsoleEvent, TRUE);
#else
    struct sigaction action = {};
    action.sa_handler = StopOnce;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM}) {
        struct sigaction before = {};
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN) {
            sigaction(signal, &action, nullptr);
        }
    }
#endif
}

std::string CommandLineArgument(int argc, char** argv)
{
    return CommandLineArgument(Utf8Arguments(argc, argv));
}

std::string CommandLineArgument(const std::vector<std::string>& words)
{
    std::string argument;
    for (std::size_t i = 0; i < words.size(); ++i) {
        argument += (i > 0 ? " " : "") + words[i];
    }
    // Decided once, here, so that every step of the conversion sees the same name: the
    // name as given when a file of that name is there, else trimmed of spaces.
    return FileExists(argument) ? argument : std::string(TrimSpaces(argument));
}

#ifdef _WIN32

namespace {

std::string ToUtf8(const wchar_t* wide)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.pop_back();  // the terminating NUL
    return text;
}

}  // namespace

bool IsTerminal(int fd)
{
    // _isatty says yes to every character device, NUL and serial ports among them.
    DWORD mode = 0;
    return GetConsoleMode(reinterpret_cast<HANDLE>(_get_osfhandle(fd)), &mode) != 0;
}

bool NamesSessionTerminal(const std::string& path)
{
    if (const int descriptor = DescriptorNamed(path); descriptor >= 0) {
        return IsTerminal(descriptor);
    }
    const std::string name = ToUpperAscii(std::filesystem::u8path(path).filename().u8string());
    return name == "CON" || name == "CONOUT$" || name == "CONIN$";
}

std::vector<std::string> Utf8Arguments(int argc, char** argv)
{
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return std::vector<std::string>(argv + 1, argv + argc);
    }
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) {
        args.push_back(ToUtf8(wide[i]));
    }
    LocalFree(wide);
    return args;
}

#else

bool IsTerminal(int fd)
{
    return isatty(fd) != 0;
}

bool NamesSessionTerminal(const std::string& path)
{
    if (const int descriptor = DescriptorNamed(path); descriptor >= 0) {
        return IsTerminal(descriptor);
    }
    struct stat named;
    if (stat(path.c_str(), &named) != 0 || !S_ISCHR(named.st_mode)) {
        return false;
    }
    struct stat facts;
    if (stat("/dev/tty", &facts) == 0 && facts.st_rdev == named.st_rdev) {
        return true;
    }
    for (const int fd : {0, 1, 2}) {
        if (IsTerminal(fd) && fstat(fd, &facts) == 0 && facts.st_rdev == named.st_rdev) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> Utf8Arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

#endif
