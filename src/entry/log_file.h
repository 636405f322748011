// Quillhaven.log, written only when the settings say Log=1: a short account
// of what the plug-in does and why nothing happens. It never calls a native of
// its own, never throws, and gives up silently when the file cannot be
// written: the game never notices the log.
#pragma once

#include <cstdint>

#include "entry/settings.h"

namespace quillhaven {

// Set for good once the file cannot be written or is full.
extern bool logGivenUp;

// Whether lines are wanted now: the log is on and has not been given up.
// Inline, as every pass asks it: with the log off, asking costs a test.
inline bool logging() { return Log && !logGivenUp; }

// The file's limit: a player attaches the file to a report, and past this the
// log only repeats itself.
inline constexpr long MaxLogBytes = 1L << 20;

// Writes one line, printf-style, after the wall-clock time and the game timer
// as the current pass read it, or "game -" for a line written before the pass
// read it (the start, the gates, the town, whatever a visit tells first). The
// first line starts the file afresh.
void logLine(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Closes the file when the library is unloaded, so that no handle outlives
// it; no line is written after this.
void closeLog();

}  // namespace quillhaven
