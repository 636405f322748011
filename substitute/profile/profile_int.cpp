#include "profile/profile_int.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace substitute {

namespace {

// The reader copies a value into a buffer of 30 characters, the last one the
// terminator: a longer value is cut.
constexpr size_t valueBufferLength = 30;

bool isProfileSpace(unsigned char c) {
  // ASCII blanks and the DOS end-of-file mark.
  return c == ' ' || (c >= '\t' && c <= '\r') || c == 0x1A;
}

std::string_view trim(std::string_view text) {
  while (!text.empty() && isProfileSpace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && isProfileSpace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

// A line ends at either '\r' or '\n'.
std::string_view nextLine(std::string_view& rest) {
  const size_t end = rest.find_first_of("\r\n");
  const size_t next = end == std::string_view::npos ? rest.size() : end + 1;
  std::string_view line = rest.substr(0, next);
  rest.remove_prefix(next);
  return line;
}

// One pair of matching quotes around the value is dropped, and the value cut
// to what the buffer holds.
std::string copyValue(std::string_view value) {
  bool quoted = false;
  if (!value.empty() && (value.front() == '"' || value.front() == '\'') && value.size() > 1 &&
      value.back() == value.front()) {
    quoted = true;
    value.remove_prefix(1);
  }
  std::string copy(value.substr(0, valueBufferLength - 1));
  if (quoted && valueBufferLength >= value.size()) copy.pop_back();
  return copy;
}

std::optional<std::string> readFile(const char* fileName) {
  std::string path(fileName);
  if (path.find_first_of("\\/") == std::string::npos) return std::nullopt;
  std::replace(path.begin(), path.end(), '\\', '/');
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

std::optional<std::string> findProfileValue(std::string_view contents, std::string_view section,
                                            std::string_view key) {
  constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";
  if (contents.substr(0, utf8Mark.size()) == utf8Mark) contents.remove_prefix(utf8Mark.size());
  section = trim(section);
  key = trim(key);

  // Keys before the first header belong to a section without a name.
  bool inWantedSection = section.empty();
  bool seenWantedSection = inWantedSection;
  while (!contents.empty()) {
    const std::string_view line = trim(nextLine(contents));
    if (line.empty()) continue;
    if (line.front() == '[') {
      const size_t close = line.rfind(']');
      if (close != std::string_view::npos && close > 0) {
        if (inWantedSection) return std::nullopt;  // only the first such section is read
        inWantedSection = !seenWantedSection && sameName(trim(line.substr(1, close - 1)), section);
        seenWantedSection = seenWantedSection || inWantedSection;
        continue;
      }
    }
    if (!inWantedSection) continue;
    const size_t equals = line.find('=');
    const std::string_view name = trim(line.substr(0, equals));
    if (!sameName(name, key)) continue;
    if (equals == std::string_view::npos) return std::nullopt;  // a key without a value
    return copyValue(trim(line.substr(equals + 1)));
  }
  return std::nullopt;
}

uint32_t profileValueToInt(std::string_view value) {
  size_t at = 0;
  while (at < value.size() && static_cast<unsigned char>(value[at]) <= ' ') ++at;
  bool negative = false;
  if (at < value.size() && (value[at] == '+' || value[at] == '-')) negative = value[at++] == '-';
  uint32_t base = 10;
  if (value.size() - at >= 2 && value[at] == '0') {
    const char prefix = value[at + 1];
    if (prefix == 'x' || prefix == 'o' || prefix == 'b') {
      base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : 2;
      at += 2;
    }
  }
  uint32_t total = 0;
  for (; at < value.size(); ++at) {
    const char c = value[at];
    uint32_t digit = 99;
    if (c >= '0' && c <= '9') digit = static_cast<uint32_t>(c - '0');
    if (c >= 'a' && c <= 'z') digit = static_cast<uint32_t>(c - 'a' + 10);
    if (c >= 'A' && c <= 'Z') digit = static_cast<uint32_t>(c - 'A' + 10);
    if (digit >= base) break;
    total = total * base + digit;
  }
  return negative ? 0u - total : total;
}

uint32_t readProfileInt(const char* section, const char* key, int32_t defaultValue, const char* fileName) {
  const std::optional<std::string> contents = readFile(fileName);
  if (!contents) return static_cast<uint32_t>(defaultValue);
  const std::optional<std::string> value = findProfileValue(*contents, section, key);
  if (!value || value->empty()) return static_cast<uint32_t>(defaultValue);
  return profileValueToInt(*value);
}

}  // namespace substitute
