// Quillhaven.log, written only when the settings say Log=1: a short account
// of what the plug-in does and why nothing happens. It never calls a native of
// its own, never throws, and gives up silently when the file cannot be
// written: the game never notices the log.
#pragma once

#include <cstdint>

namespace quillhaven {

// Whether lines are wanted now: the log is on and has not been given up.
bool logging();

// Writes one line, printf-style, after the wall-clock time and the game timer
// as the plug-in last read it. The first line starts the file afresh.
void logLine(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Closes the file when the library is unloaded, so that no handle outlives
// it; no line is written after this.
void closeLog();

}  // namespace quillhaven
