#include "convert/ConsoleFrontEnd.h"

#include "convert/CommandLineConversion.h"
#include "convert/ProgramStart.h"
#include "model/Document.h"
#include "model/TextUtil.h"
#include "output/SafeFileWrite.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <utility>

namespace {

// The characters that change the direction in which the text after them is shown: a
// name holding one could show as another.
bool ReordersText(std::uint32_t point)
{
    return point == 0x061C || point == 0x200E || point == 0x200F || (point >= 0x202A && point <= 0x202E) ||
           (point >= 0x2066 && point <= 0x2069);
}

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

std::string EscapedName(const std::string& text)
{
    std::string shown;
    shown.reserve(text.size());
    char escape[8];
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const std::size_t length = Utf8SequenceLength(text, at);
        // C1 controls, U+0080 to U+009F, are C2 80 to C2 9F in UTF-8.
        const bool control = byte < 0x20 || byte == 0x7F ||
                             (byte == 0xC2 && length == 2 && static_cast<unsigned char>(text[at + 1]) < 0xA0);
        if (const std::uint32_t point = length > 1 ? CodePoint(text, at, length) : 0; ReordersText(point)) {
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(point));
            shown += escape;
            at += length;
            continue;
        }
        if (length > 0 && !control) {
            shown.append(text, at, length);
            at += length;
            continue;
        }
        for (const std::size_t end = at + (length > 0 ? length : 1); at < end; ++at) {
            const auto escaped = static_cast<unsigned char>(text[at]);
            std::snprintf(escape, sizeof escape, escaped < 0x80 ? "\\%03o" : "\\x%02x", escaped);
            shown += escape;
        }
    }
    return shown;
}

ConsoleFrontEnd::ConsoleFrontEnd(std::ostream& out, std::ostream& err, std::string fileName)
    : out_(out), err_(err), fileName_(EscapedName(fileName))
{
}

std::string ConsoleFrontEnd::NameInMessage(const std::string& path) const
{
    return EscapedName(path);
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
    // The executable may go to standard output (-o -, or any name for it): then nothing
    // else may. Nor may it go onto a terminal, where its bytes would be taken for commands.
    const int descriptor = request.output && !request.infoOnly ? DescriptorNamed(*request.output) : -1;
    ConsoleFrontEnd frontEnd(descriptor == 1 ? std::cerr : std::cout, std::cerr, request.source);
    Document doc(frontEnd);
    ExitStatus status = kExitUsage;
    if (request.output && !request.infoOnly && NamesSessionTerminal(*request.output)) {
        frontEnd.ShowMessage(kTerminalMessage, Icon::Error);
    } else {
        status = ConvertFromCommandLine(doc, request);
    }
    if (status == kExitUsage && !usageLine.empty()) {
        std::cerr << usageLine << '\n';
    }
    return status;
}

int CloseStandardOutput(const char* program, int status)
{
    // A line that could not be written before left its reason behind, as nothing has
    // failed since; what fails now says its own.
    const int earlier = errno;
    errno = 0;
    std::cout.flush();
    const bool flushed = std::fflush(stdout) == 0;
    if (flushed && std::ferror(stdout) == 0 && !std::cout.fail()) {
        return status;
    }
    std::cerr << program << ": write error: " << ErrnoText(errno != 0 ? errno : earlier) << '\n'
              << std::flush;
    return status == kExitSaved ? kExitRefused : status;
}
