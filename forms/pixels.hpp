#pragma once
#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

namespace wizlo {

namespace detail {
void* allocatePixels(std::size_t bytes);
void freePixels(void* at, std::size_t bytes) noexcept;
}  // namespace detail

// Memory for rows of pixels. Every image is written in full by whatever makes it (a decoder, the
// resampler, the composer), so its words are left unzeroed; and an image of megabytes is laid on
// huge pages where the system offers them: touching a decoded backdrop 4 KB at a time costs more
// than decoding it.
template <typename T>
struct PixelAllocator {
  using value_type = T;
  PixelAllocator() = default;
  template <typename U>
  PixelAllocator(const PixelAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) { return static_cast<T*>(detail::allocatePixels(n * sizeof(T))); }
  void deallocate(T* at, std::size_t n) noexcept { detail::freePixels(at, n * sizeof(T)); }
  template <typename U, typename... Args>
  void construct(U* at, Args&&... args) {
    if constexpr (sizeof...(Args) == 0) ::new (static_cast<void*>(at)) U;
    else ::new (static_cast<void*>(at)) U(static_cast<Args&&>(args)...);
  }
  friend bool operator==(PixelAllocator, PixelAllocator) { return true; }
};

using Pixels = std::vector<std::uint32_t, PixelAllocator<std::uint32_t>>;

}  // namespace wizlo
