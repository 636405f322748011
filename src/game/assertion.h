// QUILLHAVEN_ASSERT: a state the plug-in's own logic rules out. On in every
// Linux build (tests, simulator, seeded worlds, benchmark), where a fault
// must end the run loudly; compiled out of Quillhaven.asi, where the code
// after it copes with the state (an element skipped, a line not numbered, a
// visit not started) and the game goes on. Never for a state whose handling
// is defined: those are handled, not asserted.
#pragma once

// 1 or 0, from the quillhaven library's CMake target; left undefined, #if
// would quietly read it as 0.
#if !defined(QUILLHAVEN_ASSERTIONS)
#error "QUILLHAVEN_ASSERTIONS is not defined: build with the quillhaven target's definitions"
#endif

#if QUILLHAVEN_ASSERTIONS

#include <cstdio>
#include <cstdlib>

namespace quillhaven {

[[noreturn]] inline void assertionFailed(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "Quillhaven: assertion failed: %s (%s:%d)\n", condition, file, line);
  std::fflush(stderr);
  std::abort();
}

}  // namespace quillhaven

#define QUILLHAVEN_ASSERT(condition) \
  ((condition) ? static_cast<void>(0) : ::quillhaven::assertionFailed(#condition, __FILE__, __LINE__))

#else

// Not evaluated, but still compiled, so that it cannot rot.
#define QUILLHAVEN_ASSERT(condition) static_cast<void>(sizeof(!(condition)))

#endif
