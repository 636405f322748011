// The script host's nine operations, as the plug-in calls them, served by the
// substitute host. The Linux build links them directly; the Windows
// substitute exports them under the real host's names.
#include "host/script_host.h"

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

}  // extern "C"
