// A minimal check harness for the programs that run under Wine: each failed
// check prints where and what, and the program's exit code counts failures.
#pragma once

#include <cstdio>
#include <string>

inline int checkFailures = 0;

#define CHECK(condition)                                                        \
  do {                                                                          \
    if (!(condition)) {                                                         \
      ++checkFailures;                                                          \
      std::printf("%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
    }                                                                           \
  } while (0)

#define CHECK_EQ_TEXT(actual, expected)                                                             \
  do {                                                                                              \
    const std::string actualText = (actual);                                                        \
    const std::string expectedText = (expected);                                                    \
    if (actualText != expectedText) {                                                               \
      ++checkFailures;                                                                              \
      std::printf("%s:%d: expected \"%s\", got \"%s\"\n", __FILE__, __LINE__, expectedText.c_str(), \
                  actualText.c_str());                                                              \
    }                                                                                               \
  } while (0)

inline int checkResult(const char* what) {
  if (checkFailures == 0)
    std::printf("%s: all checks passed\n", what);
  else
    std::printf("%s: %d checks failed\n", what, checkFailures);
  return checkFailures == 0 ? 0 : 1;
}
