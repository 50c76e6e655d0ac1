// quillet-cli: the console converter, for scripts and build servers.

#include "cli/CliOptions.h"
#include "convert/ConsoleFiles.h"
#include "convert/ConsoleFrontEnd.h"
#include "convert/ProgramStart.h"

#include <iostream>

int main(int argc, char** argv)
{
    SetUpSignals();
    const CliOptions options = ParseCliOptions(Utf8Arguments(argc, argv));
    switch (options.action) {
        case CliOptions::Action::Help:
            std::cout << HelpText();
            return CloseStandardOutput("quillet-cli", kExitSaved);
        case CliOptions::Action::Version:
            std::cout << "quillet-cli (Kestrane Quillet) " << QUILLET_VERSION << '\n';
            return CloseStandardOutput("quillet-cli", kExitSaved);
        case CliOptions::Action::Convert:
            break;
    }
    if (!options.error.empty()) {
        // The error quotes what was given, which may hold any character.
        std::cerr << "quillet-cli: " << EscapedName(options.error) << '\n' << UsageLine() << '\n';
        return kExitUsage;
    }
    const int status = options.watch ? WatchFilesOnConsole(options.files, options.request, UsageLine())
                                     : ConvertFilesOnConsole(options.files, options.request, UsageLine());
    return CloseStandardOutput("quillet-cli", status);
}
