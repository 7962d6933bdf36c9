#include "forms/pixels.hpp"

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace wizlo::detail {

namespace {
#if defined(__linux__)
constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kPage = 4096;

std::size_t roundUp(std::size_t bytes, std::size_t to) { return (bytes + to - 1) / to * to; }
#endif
}  // namespace

void* allocatePixels(std::size_t bytes) {
#if defined(__linux__)
  if (bytes >= kHugePage) {
    // Mapped a huge page's worth too long, then trimmed, so the pixels start on a huge page.
    const std::size_t length = roundUp(bytes, kPage);
    void* mapped = mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    auto* raw = static_cast<char*>(mapped);
    char* start = raw + (kHugePage - reinterpret_cast<std::uintptr_t>(raw) % kHugePage) % kHugePage;
    if (start > raw) munmap(raw, static_cast<std::size_t>(start - raw));
    if (char* end = start + length; end < raw + length + kHugePage)
      munmap(end, static_cast<std::size_t>(raw + length + kHugePage - end));
    madvise(start, length / kHugePage * kHugePage, MADV_HUGEPAGE);  // only a hint: fine if refused
    return start;
  }
#endif
  return ::operator new(bytes);
}

void freePixels(void* at, [[maybe_unused]] std::size_t bytes) noexcept {  // read on Linux only
#if defined(__linux__)
  if (bytes >= kHugePage) {
    munmap(at, roundUp(bytes, kPage));
    return;
  }
#endif
  ::operator delete(at);
}

}  // namespace wizlo::detail
