#include "entry/log_file.h"

#include <cstdarg>
#include <cstdio>
#include <ctime>

#include "game/natives.h"

namespace quillhaven {

namespace {

// Opened by its relative name, in the folder the settings are read from.
constexpr const char* logFileName = "Quillhaven.log";
// Room kept for the line that says the log is full.
constexpr long fullLineReserve = 128;
// A line longer than this is cut; no line the plug-in writes comes near it.
constexpr int maxLineBytes = 400;

#if defined(_WIN32)
constexpr const char* lineEnd = "\r\n";
#else
constexpr const char* lineEnd = "\n";
#endif

struct LogFile {
  std::FILE* file = nullptr;
  long written = 0;
};

LogFile logFile;

void giveUp() {
  if (logFile.file != nullptr) std::fclose(logFile.file);
  logFile.file = nullptr;
  logGivenUp = true;
}

// Unbuffered, so that a line is in the file as soon as it is written, even if
// the game then crashes, and no buffer is ever allocated.
bool openLog() {
  logFile.file = std::fopen(logFileName, "wb");
  if (logFile.file == nullptr || std::setvbuf(logFile.file, nullptr, _IONBF, 0) != 0) {
    giveUp();
    return false;
  }
  return true;
}

bool writeBytes(const char* text, int length) {
  if (std::fwrite(text, 1, static_cast<size_t>(length), logFile.file) != static_cast<size_t>(length)) {
    giveUp();
    return false;
  }
  logFile.written += length;
  return true;
}

int clockPrefix(char* buffer, int size) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#if defined(_WIN32)
  const bool known = localtime_s(&local, &now) == 0;
#else
  const bool known = localtime_r(&now, &local) != nullptr;
#endif
  if (!known) return std::snprintf(buffer, static_cast<size_t>(size), "--:--:--  ");
  return std::snprintf(buffer, static_cast<size_t>(size), "%02d:%02d:%02d  ", local.tm_hour, local.tm_min,
                       local.tm_sec);
}

int gameTimePrefix(char* buffer, int size, bool timerRead) {
  if (!timerRead) return std::snprintf(buffer, static_cast<size_t>(size), "game -  ");
  return std::snprintf(buffer, static_cast<size_t>(size), "game %ld  ",
                       static_cast<long>(passGameTime.value));
}

// The line as the file gets it: the clock, the game timer, the text.
int composeLine(char* line, const char* text, bool timerRead) {
  int length = clockPrefix(line, maxLineBytes);
  length += gameTimePrefix(line + length, maxLineBytes - length, timerRead);
  length += std::snprintf(line + length, static_cast<size_t>(maxLineBytes - length), "%s", text);
  if (length >= maxLineBytes) length = maxLineBytes - 1;
  return length + std::snprintf(line + length, 8, "%s", lineEnd);
}

void writeLine(bool timerRead, const char* format, std::va_list arguments) {
  if (!logging()) return;
  if (logFile.file == nullptr && !openLog()) return;
  char text[maxLineBytes];
  if (std::vsnprintf(text, sizeof text, format, arguments) < 0) return;
  char line[maxLineBytes + 8];
  const int length = composeLine(line, text, timerRead);
  if (logFile.written + length <= MaxLogBytes - fullLineReserve) {
    writeBytes(line, length);
    return;
  }
  char full[96];
  std::snprintf(full, sizeof full, "log full at %ld MiB: no more lines until the game starts again",
                MaxLogBytes >> 20);
  if (writeBytes(line, composeLine(line, full, timerRead))) giveUp();
}

}  // namespace

bool logGivenUp = false;

void closeLog() {
  if (logFile.file != nullptr) giveUp();
}

void logLine(const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  writeLine(passGameTime.read, format, arguments);
  va_end(arguments);
}

}  // namespace quillhaven
