#include "convert/ConsoleFrontEnd.h"

#include "convert/CommandLineConversion.h"
#include "model/Document.h"
#include "output/SafeFileWrite.h"

#include <cstdio>
#include <iostream>
#include <utility>

namespace {

// The length of the valid UTF-8 sequence that starts `text` at `at`, or 0 when the byte
// there starts none: a byte that cannot start one, a sequence cut short, one longer than
// it needs to be, a surrogate, or a code point above U+10FFFF.
std::size_t Utf8SequenceLength(const std::string& text, std::size_t at)
{
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned lead = byte(at);
    const std::size_t length = lead < 0x80                    ? 1
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || at + length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    const unsigned second = byte(at + 1);
    const bool overlong = (lead == 0xE0 && second < 0xA0) || (lead == 0xF0 && second < 0x90);
    const bool beyond = (lead == 0xED && second >= 0xA0) || (lead == 0xF4 && second >= 0x90);
    return overlong || beyond ? 0 : length;
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
    // The executable may go to standard output (-o -): then nothing else may.
    const bool toStandardOutput = request.output && DescriptorNamed(*request.output) == 1;
    ConsoleFrontEnd frontEnd(toStandardOutput ? std::cerr : std::cout, std::cerr, request.source);
    Document doc(frontEnd);
    const ExitStatus status = ConvertFromCommandLine(doc, request);
    if (status == kExitUsage) {
        std::cerr << usageLine << '\n';
    }
    return status;
}
