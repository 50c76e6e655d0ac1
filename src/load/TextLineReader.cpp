#include "load/TextLineReader.h"

#include "model/TextUtil.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#ifdef _WIN32
#include <windows.h>

#include <io.h>  // _get_osfhandle
#include <sys/stat.h>
#include <sys/types.h>
#include <filesystem>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#endif

namespace {

constexpr const char* kNotRegularFile = "not a regular file";
constexpr const char* kChangedWhileRead = "the file changed while it was read";

#ifdef _WIN32

// The facts of the file open as `handle`; false when the system will not tell them.
bool ReadFacts(HANDLE handle, FileFacts& facts)
{
    BY_HANDLE_FILE_INFORMATION info;
    FILE_BASIC_INFO times;
    if (!GetFileInformationByHandle(handle, &info) ||
        !GetFileInformationByHandleEx(handle, FileBasicInfo, &times, sizeof times)) {
        return false;
    }
    facts.size = std::uint64_t{info.nFileSizeHigh} << 32 | info.nFileSizeLow;
    facts.modified = times.LastWriteTime.QuadPart;
    facts.changed = times.ChangeTime.QuadPart;
    facts.identity = {info.dwVolumeSerialNumber,
                      std::uint64_t{info.nFileIndexHigh} << 32 | info.nFileIndexLow, true};
    return true;
}

bool ReadFacts(std::FILE* file, FileFacts& facts)
{
    return ReadFacts(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))), facts);
}

// Which folder `folder` is, by its volume and file index; none where it cannot be opened.
FileIdentity FolderIdentity(const std::filesystem::path& folder)
{
    const HANDLE handle =
        CreateFileW(folder.wstring().c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION info;
    FileIdentity identity;
    if (handle != INVALID_HANDLE_VALUE && GetFileInformationByHandle(handle, &info)) {
        identity = {info.dwVolumeSerialNumber, std::uint64_t{info.nFileIndexHigh} << 32 | info.nFileIndexLow,
                    true};
    }
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
    }
    return identity;
}

// Opens a regular file for reading by its UTF-8 path, which the C library would take in
// the system's code page.
std::FILE* OpenRegularFile(const std::string& path, std::string& error, FileFacts& facts)
{
    const std::filesystem::path name = std::filesystem::u8path(path);
    std::error_code ec;
    if (std::filesystem::is_directory(name, ec)) {
        error = kNotRegularFile;
        return nullptr;
    }
    std::FILE* file = _wfopen(name.wstring().c_str(), L"rb");
    if (file == nullptr) {
        const DWORD why = GetLastError();
        error =
            why == ERROR_SHARING_VIOLATION || why == ERROR_LOCK_VIOLATION ? kFileInUseText : ErrnoText(errno);
        return nullptr;
    }
    struct _stat64 mode;
    const bool looked = _fstat64(_fileno(file), &mode) == 0;
    if (!looked || (mode.st_mode & _S_IFMT) != _S_IFREG) {
        error = looked ? kNotRegularFile : ErrnoText(errno);
        std::fclose(file);
        return nullptr;
    }
    if (!ReadFacts(file, facts)) {
        error = ErrnoText(EIO);
        std::fclose(file);
        return nullptr;
    }
    return file;
}

#else

FileIdentity IdentityOf(const struct stat& st)
{
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino), true};
}

std::int64_t Nanoseconds(const struct timespec& time)
{
    return static_cast<std::int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

// The facts that `st` tells.
FileFacts FactsOf(const struct stat& st)
{
    FileFacts facts;
    facts.size = static_cast<std::uint64_t>(st.st_size);
#ifdef __APPLE__
    facts.modified = Nanoseconds(st.st_mtimespec);
    facts.changed = Nanoseconds(st.st_ctimespec);
#else
    facts.modified = Nanoseconds(st.st_mtim);
    facts.changed = Nanoseconds(st.st_ctim);
#endif
    facts.identity = IdentityOf(st);
    return facts;
}

// The facts of the file open as `fd`, and its type in `mode`; false when fstat fails.
bool ReadFacts(int fd, FileFacts& facts, mode_t& mode)
{
    struct stat st;
    if (fstat(fd, &st) != 0) {
        return false;
    }
    mode = st.st_mode;
    facts = FactsOf(st);
    return true;
}

bool ReadFacts(std::FILE* file, FileFacts& facts)
{
    mode_t mode;
    return ReadFacts(fileno(file), facts, mode);
}

// Which folder `folder` is, by its device and inode; none where it cannot be looked at.
FileIdentity FolderIdentity(const std::filesystem::path& folder)
{
    struct stat st;
    return stat(folder.c_str(), &st) == 0 ? IdentityOf(st) : FileIdentity();
}

// Opens a regular file for reading. The open does not wait, so a FIFO that nobody writes
// to is refused at once instead of blocking; the test is made on what was opened, so
// nothing can be swapped in between.
std::FILE* OpenRegularFile(const std::string& path, std::string& error, FileFacts& facts)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = ErrnoText(errno);
        return nullptr;
    }
    mode_t mode = 0;
    if (!ReadFacts(fd, facts, mode) || !S_ISREG(mode)) {
        error = mode == 0 ? ErrnoText(errno) : kNotRegularFile;
        close(fd);
        return nullptr;
    }
    std::FILE* file = fdopen(fd, "rb");
    if (file == nullptr) {
        error = ErrnoText(errno);
        close(fd);
    }
    return file;
}

#endif

// The first CR or LF in [from, end), or `end`: one pass for both, 16 characters a step
// where the processor has SSE2 (every x86-64 does), else 8 a step.
const char* FindLineEnd(const char* from, const char* end)
{
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; end - from >= 16; from += 16) {
        const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
        const int hits =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chars, cr), _mm_cmpeq_epi8(chars, lf)));
        if (hits != 0) {
            return from + __builtin_ctz(static_cast<unsigned>(hits));
        }
    }
#else
    // A CR in `word` leaves a zero byte in `crs`, an LF one in `lfs`; (x - ones) & ~x sets
    // the high bit of a zero byte, and of no byte when there is none. The word's bytes are
    // then looked at one by one below.
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighs = 0x8080808080808080u;
    for (; end - from >= 8; from += 8) {
        std::uint64_t word;
        std::memcpy(&word, from, 8);
        const std::uint64_t crs = word ^ (kOnes * '\r');
        const std::uint64_t lfs = word ^ (kOnes * '\n');
        if (((((crs - kOnes) & ~crs) | ((lfs - kOnes) & ~lfs)) & kHighs) != 0) {
            break;  // the byte is found below
        }
    }
#endif
    for (; from < end; ++from) {
        if (*from == '\r' || *from == '\n') {
            return from;
        }
    }
    return end;
}

}  // namespace

#ifdef _WIN32

std::optional<FileFacts> FileFactsOf(const std::string& path)
{
    // Opened only to be looked at: any other program may go on reading, writing, renaming
    // or deleting it meanwhile.
    const HANDLE handle = CreateFileW(std::filesystem::u8path(path).wstring().c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    FileFacts facts;
    const bool read = ReadFacts(handle, facts);
    CloseHandle(handle);
    return read ? std::optional<FileFacts>(facts) : std::nullopt;
}

#else

std::optional<FileFacts> FileFactsOf(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? std::optional<FileFacts>(FactsOf(st)) : std::nullopt;
}

#endif

TextLineReader::TextLineReader(const std::string& path, std::size_t chunkSize)
    : path_(path),
      file_(OpenRegularFile(path, error_, opened_)),
      chunkSize_(chunkSize > 0 ? chunkSize : 1),
      buffer_(new char[chunkSize_])
{
}

SourceFileIdentity TextLineReader::SourceIdentity() const
{
    SourceFileIdentity source;
    source.file = opened_.identity;
    std::error_code ec;
    const std::filesystem::path real = std::filesystem::canonical(std::filesystem::u8path(path_), ec);
    if (!ec) {
        source.name = real.filename().u8string();
        source.folder = FolderIdentity(real.parent_path());
    }
    return source;
}

TextLineReader::~TextLineReader()
{
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool TextLineReader::Fill()
{
    if (file_ == nullptr || failed_) {
        return false;
    }
    pos_ = 0;
    errno = 0;
    end_ = std::fread(buffer_.get(), 1, chunkSize_, file_);
    bytesRead_ += end_;
    if (end_ == 0 && std::ferror(file_) != 0) {
        failed_ = true;
        error_ = ErrnoText(errno);
    } else if (bytesRead_ > opened_.size || (end_ == 0 && (bytesRead_ < opened_.size || !UnchangedAtEnd()))) {
        // Written to, cut short or replaced in place while it was read: what was read need
        // not be any one state of the file, so none of it is used.
        failed_ = true;
        error_ = kChangedWhileRead;
        end_ = 0;
    }
    return end_ > 0;
}

bool TextLineReader::UnchangedAtEnd()
{
    FileFacts now;
    return ReadFacts(file_, now) && now.SameState(opened_);
}

std::size_t TextLineReader::NextBytes(char* to, std::size_t room)
{
    if (pos_ == end_ && !Fill()) {
        return 0;
    }
    const std::size_t taken = std::min(room, end_ - pos_);
    std::memcpy(to, buffer_.get() + pos_, taken);
    pos_ += taken;
    return taken;
}

bool TextLineReader::SkipPendingLf()
{
    if (pos_ == end_ && !Fill()) {
        return false;
    }
    if (pendingLf_) {
        pendingLf_ = false;
        if (buffer_[pos_] == '\n' && ++pos_ == end_) {
            return Fill();
        }
    }
    return true;
}

bool TextLineReader::Next(std::string_view& text, LineFacts& facts, std::size_t keep, std::size_t longest)
{
    text = {};
    facts = LineFacts{};
    if (!SkipPendingLf()) {
        return false;
    }
    bool carried = false;  // the line began in an earlier chunk: its start is in carry_
    for (;;) {
        const char* start = buffer_.get() + pos_;
        const std::size_t available = end_ - pos_;
        const std::size_t n = static_cast<std::size_t>(FindLineEnd(start, buffer_.get() + end_) - start);
        if (facts.blank) {
            for (std::size_t i = 0; i < n; ++i) {
                if (start[i] != ' ') {
                    facts.blank = false;
                    break;
                }
            }
        }
        facts.length += n;
        pos_ += n;
        if (n < available) {
            // A line end: CR LF, lone CR or lone LF. The LF after a CR may sit in the next
            // chunk, which is read only when the next line is asked for: this line is in
            // the buffer until then.
            if (carried) {
                if (carry_.size() < keep) {
                    carry_.append(start, std::min(n, keep - carry_.size()));
                }
                text = carry_;
            } else {
                text = std::string_view(start, std::min(n, keep));
            }
            if (buffer_[pos_++] == '\r') {
                if (pos_ < end_) {
                    pos_ += buffer_[pos_] == '\n' ? 1u : 0u;
                } else {
                    pendingLf_ = true;
                }
            }
            break;
        }
        // The chunk ends inside the line: keep what is wanted of it before reading on.
        if (!carried) {
            carry_.clear();
            carried = true;
        }
        if (carry_.size() < keep) {
            carry_.append(start, std::min(n, keep - carry_.size()));
        }
        if (facts.length > longest && !facts.blank) {
            text = carry_;
            break;  // longer than the caller takes: not a byte more of it is read
        }
        if (!Fill()) {
            text = carry_;
            break;  // the last line has no line end
        }
    }
    if (lineNumber_ < INT_MAX) {
        ++lineNumber_;
    }
    return !failed_;
}
