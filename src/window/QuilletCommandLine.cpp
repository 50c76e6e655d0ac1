#include "window/QuilletCommandLine.h"

#include "convert/CommandLineConversion.h"
#include "edit/AddressCommands.h"
#include "load/PathQuestions.h"
#include "load/SourceFile.h"
#include "model/Document.h"
#include "window/TextWrap.h"

namespace {

// Holds the warnings of a conversion back until another message, or the end, so that
// those that come one after another show in one box: the file's name, then each line of
// each warning, wrapped, a blank line between them. Every other message and question goes
// to the boxes as it comes.
class GatheredWarnings : public FrontEnd {
public:
    GatheredWarnings(FrontEnd& boxes, std::string fileName, BoxLines lines)
        : boxes_(boxes), fileName_(std::move(fileName)), lines_(lines)
    {
    }

    void ShowMessage(const std::string& text, Icon icon) override
    {
        if (icon == Icon::Warning) {
            warnings_.push_back(text);
            return;
        }
        ShowWarnings();
        boxes_.ShowMessage(text, icon);
    }
    Answer AskYesNo(const std::string& text, Icon icon, Answer defaultButton) override
    {
        ShowWarnings();
        return boxes_.AskYesNo(text, icon, defaultButton);
    }
    std::string AskText(const std::string& prompt, const std::string& defaultText) override
    {
        ShowWarnings();
        return boxes_.AskText(prompt, defaultText);
    }
    void SetCommandEnabled(Command command, bool enabled) override
    {
        boxes_.SetCommandEnabled(command, enabled);
    }
    void SetStatusText(StatusPanel panel, const std::string& text) override
    {
        boxes_.SetStatusText(panel, text);
    }
    void SetBusy(bool on) override { boxes_.SetBusy(on); }

    void ShowWarnings()
    {
        if (warnings_.empty()) {
            return;
        }
        std::string text = fileName_ + ":";
        const char* before = "\r\n";
        for (const std::string& warning : warnings_) {
            for (std::size_t at = 0; at <= warning.size();) {
                std::size_t end = warning.find("\r\n", at);
                end = end == std::string::npos ? warning.size() : end;
                const std::string line = warning.substr(at, end - at);
                text += before + (lines_ == BoxLines::Wrapped ? WrapLines(line, kWrapWidth, "\r\n") : line);
                before = "\r\n\r\n";
                at = end + 2;
            }
        }
        warnings_.clear();
        boxes_.ShowMessage(text, Icon::Warning);
    }

private:
    FrontEnd& boxes_;
    std::string fileName_;
    BoxLines lines_;
    std::vector<std::string> warnings_;
};

}  // namespace

QuilletOption QuilletOptionOf(const std::vector<std::string>& args)
{
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        return QuilletOption::Help;
    }
    if (args.size() == 1 && args[0] == "--version") {
        return QuilletOption::Version;
    }
    return QuilletOption::None;
}

std::string QuilletUsageLine()
{
    return "usage: quillet [FILE]";
}

std::string QuilletHelpText()
{
    return QuilletUsageLine() +
           "\n"
           "       quillet --help | --version\n"
           "\n"
           "Opens the window of Kestrane Quillet, which shows a Tasm listing (.LST), an\n"
           "object file (.OBJ) in Intel HEX, Motorola S-record or MOS Technology hex form, a\n"
           "Kestrane executable (.EXE) or a binary file (.BIN, at the ORG it asks for) as its\n"
           "dump lines, moves the block to load at another address, sets ENT and SP, and\n"
           "saves the block as a Kestrane executable. The file loaded is loaded again by\n"
           "itself each time the assembler writes it, keeping the ORG, ENT and SP you set.\n"
           "\n"
           "With FILE it opens no window: it converts FILE as quillet-cli does, writing the\n"
           "executable beside it (a binary file at the ORG it asks for), says how it went in\n"
           "message boxes, and exits with quillet-cli's status: 0 saved, 1 refused, not\n"
           "written or cancelled, 2 no usable file. The arguments together make up the file\n"
           "name, so a name with spaces needs no quotes.\n"
           "\n"
           "Options:\n"
           "  -h, --help     show this help and exit\n"
           "      --version  show the version and exit\n";
}

std::string QuilletVersionText()
{
    return "quillet (Kestrane Quillet) " QUILLET_VERSION "\n";
}

int ConvertWithMessageBoxes(const std::string& argument, FrontEnd& boxes, BoxLines lines)
{
    GatheredWarnings gathered(boxes, argument, lines);
    Document doc(gathered);
    ConversionRequest request;
    request.source = argument;
    if (SourceKindOf(argument) == SourceKind::Binary && !NothingToRead(argument)) {
        request.values.org = AskBinaryOrg(doc, DisplayName(argument));
        if (!request.values.org) {
            return kExitRefused;  // the user cancelled: nothing read, nothing saved
        }
    }
    const int status = ConvertFromCommandLine(doc, request);
    gathered.ShowWarnings();
    return status;
}
