// The twelve functions the plug-in expects from the script host and Windows,
// supplied on Linux by the substitute host.
#include "host/script_host.h"
#include "profile/profile_int.h"

using substitute::host;

extern "C" {

void scriptRegister(void* module, ScriptMainFn scriptMain) { host().registerScript(module, scriptMain); }
void scriptUnregister(void* module) { host().unregisterScript(module); }
void keyboardHandlerRegister(KeyboardHandlerFn handler) { host().registerKeyboard(handler); }
void keyboardHandlerUnregister(KeyboardHandlerFn handler) { host().unregisterKeyboard(handler); }
void scriptWait(uint32_t milliseconds) { host().scriptWait(milliseconds); }
void nativeInit(uint64_t hash) { host().game.init(hash); }
void nativePush64(uint64_t slot) { host().game.push(slot); }
uint64_t* nativeCall() { return host().game.call(); }
uint64_t* getGlobalPtr(int32_t index) { return host().game.global(index); }

uint32_t GetPrivateProfileIntA(const char* section, const char* key, int32_t defaultValue, const char* fileName) {
  const uint32_t result = substitute::readProfileInt(section, key, defaultValue, fileName);
  host().profileReads.push_back({section, key, defaultValue, fileName, result});
  return result;
}

uint64_t GetTickCount64() { return host().game.tickCount64; }
uint32_t GetTickCount() { return host().game.tickCount; }

}  // extern "C"
