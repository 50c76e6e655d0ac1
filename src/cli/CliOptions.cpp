#include "cli/CliOptions.h"

namespace {

bool TakeValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
               std::string& value, std::string& error)
{
    const std::string& arg = args[i];
    if (arg.size() > name.size() && arg.compare(0, name.size() + 1, name + "=") == 0) {
        value = arg.substr(name.size() + 1);
        return true;
    }
    if (i + 1 >= args.size()) {
        error = "option '" + arg + "' needs a value";
        return false;
    }
    value = args[++i];
    return true;
}

bool Names(const std::string& arg, const std::string& name)
{
    return arg == name || arg.compare(0, name.size() + 1, name + "=") == 0;
}

}  // namespace

CliOptions ParseCliOptions(const std::vector<std::string>& args)
{
    CliOptions options;
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size() && options.error.empty(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            files.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            options.action = CliOptions::Action::Help;
            return options;
        } else if (arg == "--version") {
            options.action = CliOptions::Action::Version;
            return options;
        } else if (arg == "-o" || Names(arg, "--output")) {
            std::string value;
            if (TakeValue(args, i, arg == "-o" ? "-o" : "--output", value, options.error)) {
                options.request.output = value;
            }
        } else {
            options.error = "unknown option '" + arg + "'";
        }
    }
    if (options.error.empty()) {
        if (files.empty()) {
            options.error = "no file to convert";
        } else if (files.size() > 1) {
            options.error = "one file at a time: '" + files[1] + "' is one too many";
        } else {
            options.request.source = files[0];
        }
    }
    return options;
}

std::string UsageLine()
{
    return "usage: quillet-cli [-o FILE] FILE";
}

std::string HelpText()
{
    return UsageLine() +
           "\n"
           "\n"
           "Converts a Tasm listing (.LST) or Intel HEX object file (.OBJ) into a Kestrane\n"
           "executable: a 512-byte header with ORG, ENT and SP, then the block. ORG is the\n"
           "address of the first dump line, ENT is ORG, SP is the last address of ORG's 16K\n"
           "page. The executable goes beside FILE, named in upper case with the extension\n"
           ".EXE (game.obj gives GAME.EXE); an existing file there is replaced.\n"
           "\n"
           "Options:\n"
           "  -o, --output FILE  write the executable to FILE instead\n"
           "  -h, --help         show this help and exit\n"
           "      --version      show the version and exit\n"
           "\n"
           "Exit status: 0 saved; 1 the input was refused or the write failed (nothing\n"
           "written, an earlier file untouched); 2 the command line was wrong.\n";
}
