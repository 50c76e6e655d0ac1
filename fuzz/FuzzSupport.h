#pragma once

// What the fuzz targets share: a check that stops the run when a property of the program
// fails, a front end that never waits for a person, and a folder for the files a target
// reads and writes.

#include "model/FrontEnd.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

// Aborts with the failed condition: libFuzzer takes that as a crash and keeps the input.
#define FUZZ_CHECK(condition) ((condition) ? (void)0 : FuzzCheckFailed(#condition, __FILE__, __LINE__))
[[noreturn]] void FuzzCheckFailed(const char* condition, const char* file, int line);

// Answers questions and prompts from a script, then, once the script is used up, as the
// console converter does: a question takes its default answer, a prompt is cancelled.
// A scripted answer that starts with 'y' or 'Y' is Yes, anything else No. Records every
// message, and checks that the busy pointer is switched on and off in turn.
class FuzzFrontEnd : public FrontEnd {
public:
    FuzzFrontEnd() = default;
    explicit FuzzFrontEnd(std::deque<std::string> script) : script_(std::move(script)) {}
    ~FuzzFrontEnd() override;

    void ShowMessage(const std::string& text, Icon icon) override;
    Answer AskYesNo(const std::string& text, Icon icon, Answer defaultButton) override;
    std::string AskText(const std::string& prompt, const std::string& defaultText) override;
    void SetCommandEnabled(Command, bool) override {}
    void SetStatusText(StatusPanel, const std::string&) override {}
    void SetBusy(bool on) override;

    // The messages shown, each as "ICON: text", in order; ShowMessageAtLine adds nothing
    // to the text, so the same file read in different ways gives the same messages.
    std::vector<std::string> messages;
    int prompts = 0;  // how many times AskText was called

private:
    std::deque<std::string> script_;
    bool busy_ = false;
};

// The input split at every '\n': the shape of a prompt script.
std::deque<std::string> SplitLines(std::string_view text);

// The lines of a file as the readers are to see them, written out plainly: each ends at
// CR LF, a lone CR or a lone LF, and a line end at the very end adds no empty line.
std::vector<std::string_view> TextLines(std::string_view text);

// Reads a file of `size` bytes with `read(chunkSize)` in whole 64K chunks, in
// single bytes and in chunks of a size that moves with the input, so that line ends fall
// on every chunk boundary; every way must give the same result, which is returned.
template <typename Read>
auto ReadInChunks(std::size_t size, Read read)
{
    const auto whole = read(std::size_t{1} << 16);
    for (const std::size_t chunk : {std::size_t{1}, 2 + size % 7}) {
        FUZZ_CHECK(read(chunk) == whole);
    }
    return whole;
}

// A folder of this process's own under the system's temporary folder, removed at exit.
const std::string& ScratchFolder();

// Writes `data` to `name` in the scratch folder and returns the file's path.
std::string WriteScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size);

// The names of the files in the scratch folder, sorted.
std::vector<std::string> ScratchFileNames();

// Removes every file in the scratch folder.
void ClearScratchFolder();
