#include "convert/ConsoleFrontEnd.h"

#include "convert/CommandLineConversion.h"
#include "model/Document.h"

#include <iostream>
#include <utility>

namespace {

// Messages may hold CR LF line breaks; on the terminal each message is one line.
std::string OneLine(const std::string& text)
{
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            line.push_back(' ');
            ++i;
        } else {
            line.push_back(text[i] == '\n' || text[i] == '\r' ? ' ' : text[i]);
        }
    }
    return line;
}

}  // namespace

ConsoleFrontEnd::ConsoleFrontEnd(std::ostream& out, std::ostream& err, std::string fileName)
    : out_(out), err_(err), fileName_(std::move(fileName))
{
}

void ConsoleFrontEnd::Write(const std::string& location, const std::string& text, Icon icon)
{
    if (icon == Icon::Information) {
        out_ << OneLine(text) << '\n' << std::flush;
    } else {
        err_ << location << ": " << OneLine(text) << '\n' << std::flush;
    }
}

void ConsoleFrontEnd::ShowMessage(const std::string& text, Icon icon)
{
    Write(fileName_, text, icon);
}

void ConsoleFrontEnd::ShowMessageAtLine(int line, const std::string& text, Icon icon)
{
    Write(fileName_ + ":" + std::to_string(line), text, icon);
}

Answer ConsoleFrontEnd::AskYesNo(const std::string& text, Icon icon, Answer defaultButton)
{
    Write(fileName_, text + (defaultButton == Answer::Yes ? " (yes)" : " (no)"), icon);
    return defaultButton;
}

std::string ConsoleFrontEnd::AskText(const std::string&, const std::string&)
{
    return {};
}

int ConvertOnConsole(const ConversionRequest& request, const std::string& usageLine)
{
    ConsoleFrontEnd frontEnd(std::cout, std::cerr, request.source);
    Document doc(frontEnd);
    const ExitStatus status = ConvertFromCommandLine(doc, request);
    if (status == kExitUsage) {
        std::cerr << usageLine << '\n';
    }
    return status;
}
