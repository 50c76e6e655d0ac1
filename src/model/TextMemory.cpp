#include "model/TextMemory.h"

#include <new>
#include <utility>

#if defined(__SANITIZE_ADDRESS__)
#define QUILLET_PLAIN_TEXT_MEMORY 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLET_PLAIN_TEXT_MEMORY 1
#endif
#endif

#if defined(__linux__) && !defined(QUILLET_PLAIN_TEXT_MEMORY)
#define QUILLET_HUGE_TEXT_MEMORY 1
#include <sys/mman.h>

#include <cstdint>
#endif

namespace {

#ifdef QUILLET_HUGE_TEXT_MEMORY

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kHugeFrom = std::size_t{1} << 20;

// `size` bytes, rounded up to whole 2 MB pages, on a 2 MB boundary, asked for in 2 MB
// pages. Maps a page more than needed and gives back what lies outside the boundary.
char* MapInHugePages(std::size_t size)
{
    void* area = mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED) {
        throw std::bad_alloc();
    }
    const auto start = reinterpret_cast<std::uintptr_t>(area);
    const std::uintptr_t aligned = (start + kHugePage - 1) & ~std::uintptr_t{kHugePage - 1};
    if (aligned > start) {
        munmap(area, aligned - start);
    }
    const std::uintptr_t after = start + size + kHugePage - (aligned + size);
    if (after > 0) {
        munmap(reinterpret_cast<void*>(aligned + size), after);
    }
    // Without transparent huge pages the area stays in 4K pages, which is no error.
    static_cast<void>(madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE));
    return reinterpret_cast<char*>(aligned);
}

#endif

}  // namespace

TextMemory::TextMemory(std::size_t size)
{
#ifdef QUILLET_HUGE_TEXT_MEMORY
    if (size >= kHugeFrom) {
        const std::size_t rounded = (size + kHugePage - 1) / kHugePage * kHugePage;
        data_ = MapInHugePages(rounded);
        mapped_ = rounded;
        return;
    }
#endif
    data_ = new char[size];
}

TextMemory::~TextMemory()
{
    Release();
}

TextMemory::TextMemory(TextMemory&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), mapped_(std::exchange(other.mapped_, 0))
{
}

TextMemory& TextMemory::operator=(TextMemory&& other) noexcept
{
    if (this != &other) {
        Release();
        data_ = std::exchange(other.data_, nullptr);
        mapped_ = std::exchange(other.mapped_, 0);
    }
    return *this;
}

void TextMemory::Release() noexcept
{
#ifdef QUILLET_HUGE_TEXT_MEMORY
    if (mapped_ > 0) {
        munmap(data_, mapped_);
        data_ = nullptr;
        mapped_ = 0;
        return;
    }
#endif
    delete[] data_;
    data_ = nullptr;
}
