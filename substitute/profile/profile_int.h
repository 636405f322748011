// The platform's INI integer reader, rebuilt for hosts that are not Windows.
// It reads odd values the way Wine's GetPrivateProfileIntA does (our oracle;
// a test under Wine compares the two line by line):
//   - the file is named relative to the current folder, '\' separating
//     folders; a bare name lies in the Windows folder, which a substitute
//     host does not have, so it reads as missing;
//   - section and key names compare without regard to letter case; only the
//     first section of a name counts;
//   - lines end at '\r' or '\n'; blanks around names (inside the brackets of
//     a section header too) and values are dropped, one pair of matching
//     quotes around a value too, and at most 29 characters of a value count;
//   - the value is read like a C integer with a base prefix: blanks, one sign,
//     0x, 0o or 0b, then digits up to the first character that is not one,
//     wrapping around 32 bits;
//   - a missing file, section or key, a key without '=', or an empty value
//     yields the default.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace substitute {

uint32_t readProfileInt(const char* section, const char* key, int32_t defaultValue, const char* fileName);

// The pieces, for tests.
std::optional<std::string> findProfileValue(std::string_view contents, std::string_view section,
                                            std::string_view key);
uint32_t profileValueToInt(std::string_view value);

}  // namespace substitute
