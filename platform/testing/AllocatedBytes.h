// Bytes allocated on the calling thread while a call runs, counted through
// the sanitizer allocator's hooks: a test of the sanitizer build shows that
// a decoder refuses a file before allocating for it. Other builds cannot
// count and report nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#if defined(__SANITIZE_ADDRESS__)
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, size_t),
                                                         void (*free_hook)(const volatile void*));
#endif

namespace PlatformTesting {

#if defined(__SANITIZE_ADDRESS__)
namespace Detail {
inline thread_local bool counting = false;
inline thread_local uint64_t allocated = 0;
inline void OnMalloc(const volatile void*, size_t size) {
  if (counting) allocated += size;
}
inline void OnFree(const volatile void*) {}
}  // namespace Detail
#endif

// The total of every allocation `call` made on this thread (frees are not
// subtracted), or nothing in a build without the sanitizer's allocator.
template <class Call>
std::optional<uint64_t> AllocatedBytes(Call&& call) {
#if defined(__SANITIZE_ADDRESS__)
  static const bool installed = __sanitizer_install_malloc_and_free_hooks(Detail::OnMalloc, Detail::OnFree) != 0;
  Detail::allocated = 0;
  Detail::counting = installed;
  call();
  Detail::counting = false;
  // Hooks that could not be installed fail every bound rather than pass it.
  return installed ? Detail::allocated : UINT64_MAX;
#else
  call();
  return std::nullopt;
#endif
}

}  // namespace PlatformTesting
