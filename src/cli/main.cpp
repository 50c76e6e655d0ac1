// quillet-cli: the console converter, for scripts and build servers.

#include "cli/CliOptions.h"
#include "cli/ConsoleFrontEnd.h"
#include "cli/Utf8Arguments.h"
#include "model/Document.h"

#include <iostream>

int main(int argc, char** argv)
{
    SetUpSignals();
    const CliOptions options = ParseCliOptions(Utf8Arguments(argc, argv));
    switch (options.action) {
    case CliOptions::Action::Help:
        std::cout << HelpText();
        return kExitSaved;
    case CliOptions::Action::Version:
        std::cout << "quillet-cli (Kestrane Quillet) " << QUILLET_VERSION << '\n';
        return kExitSaved;
    case CliOptions::Action::Convert:
        break;
    }
    if (!options.error.empty()) {
        std::cerr << "quillet-cli: " << options.error << '\n' << UsageLine() << '\n';
        return kExitUsage;
    }

    ConsoleFrontEnd ui(std::cout, std::cerr, options.request.source);
    Document doc(ui);
    const ExitStatus status = ConvertFromCommandLine(doc, options.request);
    if (status == kExitUsage) {
        std::cerr << UsageLine() << '\n';
    }
    return status;
}
