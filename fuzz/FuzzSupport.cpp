#include "FuzzSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

void FuzzCheckFailed(const char* condition, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

FuzzFrontEnd::~FuzzFrontEnd()
{
    FUZZ_CHECK(!busy_);
}

void FuzzFrontEnd::ShowMessage(const std::string& text, Icon icon)
{
    FUZZ_CHECK(!text.empty());
    messages.push_back(std::to_string(static_cast<int>(icon)) + ": " + text);
}

Answer FuzzFrontEnd::AskYesNo(const std::string& text, Icon, Answer defaultButton)
{
    FUZZ_CHECK(!text.empty());
    if (script_.empty()) {
        return defaultButton;
    }
    const std::string answer = std::move(script_.front());
    script_.pop_front();
    return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y') ? Answer::Yes : Answer::No;
}

std::string FuzzFrontEnd::AskText(const std::string& prompt, const std::string& defaultText)
{
    FUZZ_CHECK(!prompt.empty() && !defaultText.empty());
    ++prompts;
    if (script_.empty()) {
        return {};
    }
    std::string text = std::move(script_.front());
    script_.pop_front();
    return text;
}

void FuzzFrontEnd::SetBusy(bool on)
{
    FUZZ_CHECK(on != busy_);
    busy_ = on;
}

std::vector<std::string_view> TextLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        lines.push_back(text.substr(0, end));
        std::size_t next = end;
        if (next < text.size()) {
            next += text.compare(next, 2, "\r\n") == 0 ? 2u : 1u;
        }
        text.remove_prefix(next);
    }
    return lines;
}

std::deque<std::string> SplitLines(std::string_view text)
{
    std::deque<std::string> lines;
    for (;;) {
        const std::size_t end = text.find('\n');
        lines.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) {
            return lines;
        }
        text.remove_prefix(end + 1);
    }
}

namespace {

struct Scratch {
    Scratch()
    {
        // In memory where the system has /dev/shm and it may be written; else in the
        // temporary folder. A name that is taken is tried again with another; any other
        // failure moves on to the next place, and where there is none the run stops.
        std::random_device seed;
        std::error_code ec;
        for (const fs::path& base : {fs::path("/dev/shm"), fs::temp_directory_path(ec)}) {
            for (int tries = 0; tries < 100 && !base.empty(); ++tries) {
                path = base / ("quillet-fuzz-" + std::to_string(seed()));
                if (fs::create_directory(path, ec)) {
                    text = path.string();
                    return;
                }
                if (ec) {
                    break;  // not "exists", which gives false without an error
                }
            }
        }
        std::fprintf(stderr, "quillet fuzz: no folder for scratch files could be made (%s)\n",
                     ec.message().c_str());
        std::abort();
    }
    ~Scratch()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
    std::string text;
};

Scratch& TheScratch()
{
    static Scratch scratch;
    return scratch;
}

}  // namespace

const std::string& ScratchFolder()
{
    return TheScratch().text;
}

std::string WriteScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size)
{
    const std::string path = (TheScratch().path / name).string();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    FUZZ_CHECK(file != nullptr);
    FUZZ_CHECK(size == 0 || std::fwrite(data, 1, size, file) == size);
    FUZZ_CHECK(std::fclose(file) == 0);
    return path;
}

std::vector<std::string> ScratchFileNames()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(TheScratch().path)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void ClearScratchFolder()
{
    for (const auto& entry : fs::directory_iterator(TheScratch().path)) {
        std::error_code ignored;
        fs::remove_all(entry.path(), ignored);
    }
}
