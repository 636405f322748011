#include "allocation_count.h"

#include <cstddef>

namespace {

bool counting = false;
int64_t counted = 0;

void countOne() {
  if (counting) ++counted;
}

}  // namespace

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLHAVEN_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QUILLHAVEN_ADDRESS_SANITIZER 1
#endif

#if defined(QUILLHAVEN_ADDRESS_SANITIZER)

// The address sanitizer owns malloc; it calls a hook at every allocation of
// its own, whichever entry point asked for it.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*, size_t),
                                                          void (*freeHook)(const volatile void*));

namespace {

void onMalloc(const volatile void*, size_t) { countOne(); }
void onFree(const volatile void*) {}

}  // namespace

// The sanitizer takes the pair of hooks or neither.
bool bench::countAllocations() {
  counting = __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree) != 0;
  return counting;
}

#else

// Without a sanitizer, the program's own malloc, calloc and realloc take the
// place of the C library's, count, and hand on to the C library's own.
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* memory, size_t size);

void* malloc(size_t size) {
  countOne();
  return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
  countOne();
  return __libc_calloc(count, size);
}
void* realloc(void* memory, size_t size) {
  countOne();
  return __libc_realloc(memory, size);
}
}

bool bench::countAllocations() {
  counting = true;
  return counting;
}

#endif

int64_t bench::allocations() { return counted; }
