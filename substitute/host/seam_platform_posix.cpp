// The three Windows functions the plug-in uses, supplied on Linux: the
// settings reader reads like Windows' own, the tick counts are the host's.
#include "host/script_host.h"
#include "profile/profile_int.h"

using substitute::host;

extern "C" {

uint32_t GetPrivateProfileIntA(const char* section, const char* key, int32_t defaultValue,
                               const char* fileName) {
  const uint32_t result = substitute::readProfileInt(section, key, defaultValue, fileName);
  host().profileReads.push_back({section, key, defaultValue, fileName, result});
  return result;
}

uint64_t GetTickCount64() { return host().game.tickCount64; }
uint32_t GetTickCount() { return host().game.tickCount; }

}  // extern "C"
