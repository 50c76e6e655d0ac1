#include "cli/CliOptions.h"

#include "edit/NumericEntry.h"
#include "model/HexText.h"

#include <limits>

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

// Whether `arg` is the long option `name`, alone or with its value attached by "=".
bool IsOption(const std::string& arg, const std::string& name)
{
    return arg == name || arg.compare(0, name.size() + 1, name + "=") == 0;
}

// The value of --org, --ent or --sp: decimal, "&H" or "0x" hex, from 0 to `highest`.
void TakeAddress(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
                 std::int32_t highest, std::optional<std::int32_t>& address, std::string& error)
{
    std::string text;
    if (!TakeValue(args, i, name, text, error)) {
        return;
    }
    address = NumericOptionValue(text);
    if (!address || *address > highest) {
        error = "option '" + name + "' takes a number from 0 to 0x" +
                FormatHex(static_cast<std::uint32_t>(highest)) + " (decimal, &H or 0x hex), not '" + text +
                "'";
    }
}

// The value of --ent: an address from 0 to 0xFFFF as TakeAddress takes it, or a label of
// the listing: a name that starts with a letter, an underscore or a character beyond
// ASCII, looked up once the listing is read.
void TakeEnt(const std::vector<std::string>& args, std::size_t& i, BlockValues& values, std::string& error)
{
    std::string text;
    if (!TakeValue(args, i, "--ent", text, error)) {
        return;
    }
    values.ent = NumericOptionValue(text);
    values.entLabel.reset();  // the last --ent given counts
    const auto first = static_cast<unsigned char>(text.empty() ? '0' : text[0]);
    const bool letter = (first | 0x20) >= 'a' && (first | 0x20) <= 'z';
    if (!values.ent && (letter || first == '_' || first >= 0x80)) {
        values.entLabel = text;
    } else if (!values.ent || *values.ent > 0xFFFF) {
        error = "option '--ent' takes a number from 0 to 0xFFFF (decimal, &H or 0x hex) or a label, not '" +
                text + "'";
    }
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
        } else if (arg == "-o" || IsOption(arg, "--output")) {
            std::string value;
            const char* name = arg == "-o" ? "-o" : "--output";
            if (TakeValue(args, i, name, value, options.error)) {
                if (value.empty()) {
                    options.error = "option '" + std::string(name) + "' needs a file name";
                }
                options.request.output = value;
            }
        } else if (arg == "--info") {
            options.request.infoOnly = true;
        } else if (arg == "--watch") {
            options.watch = true;
        } else if (IsOption(arg, "--org")) {
            TakeAddress(args, i, "--org", std::numeric_limits<std::int32_t>::max(),
                        options.request.values.org, options.error);
        } else if (IsOption(arg, "--ent")) {
            TakeEnt(args, i, options.request.values, options.error);
        } else if (IsOption(arg, "--sp")) {
            TakeAddress(args, i, "--sp", 0xFFFF, options.request.values.sp, options.error);
        } else {
            options.error = "unknown option '" + arg + "'";
        }
    }
    if (options.error.empty() && options.request.infoOnly && options.request.output) {
        options.error = "option '--info' writes nothing: leave out '-o'";
    }
    if (options.error.empty()) {
        if (files.empty()) {
            options.error = "no file to convert";
        } else if (files.size() > 1 && options.request.output) {
            options.error =
                "option '-o' names the output of one file, not of " + std::to_string(files.size());
        } else {
            options.files = files;
        }
    }
    return options;
}

std::string UsageLine()
{
    return "usage: quillet-cli [-o FILE | --info] [--watch] [--org N] [--ent N] [--sp N] FILE...";
}

std::string HelpText()
{
    return UsageLine() +
           "\n"
           "\n"
           "Converts each FILE, a Tasm listing (.LST) or object file (.OBJ: Intel HEX,\n"
           "Motorola S-records or MOS Technology hex), into a Kestrane executable: a\n"
           "512-byte header with ORG, ENT and SP, then the block. ORG is the address of the\n"
           "first dump line, ENT is ORG, SP is the last address of ORG's 16K page. The\n"
           "executable goes beside FILE, named in upper case with the extension .EXE\n"
           "(game.obj gives GAME.EXE); an existing file there is replaced. A Kestrane\n"
           "executable (.EXE) is read back, its ORG, ENT and SP from its header, and written\n"
           "again in its own place. A binary file (.BIN), the block's bytes alone, needs\n"
           "--org: its dump lines of 16 bytes start at ORG.\n"
           "\n"
           "Options:\n"
           "  -o, --output FILE  write the executable to FILE instead (one FILE only); with\n"
           "                     -o - (or /dev/stdout) it goes to standard output as it\n"
           "                     stands: a pipe, or a file the shell opened for appending\n"
           "      --info         write nothing; tell ORG, ENT, SP, the block's size,\n"
           "                     where its bytes load and a listing's labels, one item a\n"
           "                     line\n"
           "      --watch        convert each FILE, then again each time it is written,\n"
           "                     until Ctrl+C; each line begins with the time\n"
           "      --org N        move the block to load at N: the dump line addresses move,\n"
           "                     the bytes stay\n"
           "      --ent N        set the entry address to N (0 to 0xFFFF), or to the address\n"
           "                     of a label of the listing (--ent start)\n"
           "      --sp N         set the initial stack pointer to N (0 to 0xFFFF)\n"
           "  -h, --help         show this help and exit\n"
           "      --version      show the version and exit\n"
           "\n"
           "N is decimal, or hex after &H or 0x (1234, &H4D2, 0x4D2). A block that runs past\n"
           "64K, an SP outside ORG's 16K page or an ENT outside the block is warned about,\n"
           "and the executable is written all the same.\n"
           "\n"
           "Example: leave this running while you edit and assemble in another terminal\n"
           "(tasm -80 game.asm game.obj); GAME.EXE follows every build:\n"
           "  $ quillet-cli --watch game.obj\n"
           "  12:04:31 File saved as 'GAME.EXE'\n"
           "  12:06:02 File saved as 'GAME.EXE'\n"
           "\n"
           "Exit status: 0 saved; 1 the input was refused or the write failed (nothing\n"
           "written, an earlier file untouched; or saved, but its folder not synced, as the\n"
           "message says); 2 the command line was wrong. With several files, the highest of\n"
           "theirs; --watch ended by Ctrl+C or SIGTERM, 0.\n";
}
