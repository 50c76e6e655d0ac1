#pragma once

#include <cstddef>

// The memory that holds the dump list's text. A block of 32767 dump lines takes 1.7 MB,
// and the first touch of each 4K page costs the kernel about 2 us here, a fifth of a
// conversion's time: so on Linux a buffer of 1 MB or more is asked for in 2 MB pages
// where the kernel gives them for the asking (transparent huge pages set to "madvise" or
// "always"), one page fault instead of 512. Elsewhere, in sanitizer builds (whose checks
// cover what new[] gives) and for smaller buffers, it is plain new[].
class TextMemory {
public:
    TextMemory() = default;
    // Room for `size` characters, not cleared; throws std::bad_alloc when there is none.
    explicit TextMemory(std::size_t size);
    ~TextMemory();
    TextMemory(TextMemory&& other) noexcept;
    TextMemory& operator=(TextMemory&& other) noexcept;
    TextMemory(const TextMemory&) = delete;
    TextMemory& operator=(const TextMemory&) = delete;

    char* get() const { return data_; }
    explicit operator bool() const { return data_ != nullptr; }

private:
    void Release() noexcept;

    char* data_ = nullptr;
    std::size_t mapped_ = 0;  // bytes mapped in 2 MB pages; 0 for memory from new[]
};
