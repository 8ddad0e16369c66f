// Large buffers backed by huge pages, where the kernel grants them on
// request: a buffer of tens of megabytes then costs a few dozen page
// faults instead of thousands.
#ifndef KERNOVA_BASE_HUGE_PAGES_H_
#define KERNOVA_BASE_HUGE_PAGES_H_

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace kernova::base {

// Asks for huge pages under the whole huge pages that lie inside
// [data, data + size). Call it before the buffer is first written: pages
// already there stay as they are. Only a hint; nothing changes when the
// kernel declines.
inline void prefer_huge_pages(const void* data, std::size_t size) {
  constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
  const auto from = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t begin = (from + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t end = (from + size) & ~(kHugePage - 1);
  if (size >= kHugePage && begin < end) {
    ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
  }
}

// The same for the room a vector has reserved.
template <typename Vector>
void prefer_huge_pages_for(const Vector& vector) {
  prefer_huge_pages(vector.data(), vector.capacity() * sizeof(*vector.data()));
}

// An allocator that asks for huge pages under every large block it hands
// out, before anything is written there: for a container that grows by
// reallocating, whose copies would otherwise land on small pages.
template <typename T>
struct HugePageAllocator {
  using value_type = T;
  HugePageAllocator() = default;
  template <typename U>
  HugePageAllocator(const HugePageAllocator<U>&) {}  // NOLINT: converting, as allocators are

  T* allocate(std::size_t n) {
    T* block = std::allocator<T>().allocate(n);
    prefer_huge_pages(block, n * sizeof(T));
    return block;
  }
  void deallocate(T* block, std::size_t n) { std::allocator<T>().deallocate(block, n); }
  template <typename U>
  bool operator==(const HugePageAllocator<U>&) const {
    return true;
  }
};

}  // namespace kernova::base

#endif  // KERNOVA_BASE_HUGE_PAGES_H_
