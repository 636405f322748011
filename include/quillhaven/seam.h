// The seam between the plug-in and everything outside it.
//
// The plug-in declares the script host's nine operations and the three Windows
// functions it uses, and never defines them: the game's script host (or a
// substitute of it) supplies them. In return it defines the three functions at
// the bottom. Other projects link against this exact shape; keep it stable.
#pragma once

#include <cstdint>

#include "quillhaven/platform.h"

extern "C" {

typedef void (*ScriptMainFn)();
typedef void (*KeyboardHandlerFn)(uint32_t key, uint16_t repeats, uint8_t scanCode, int32_t flag1,
                                  int32_t flag2, int32_t flag3, int32_t flag4);

// The script host's operations.
void scriptRegister(void* module, ScriptMainFn scriptMain);
void scriptUnregister(void* module);
void keyboardHandlerRegister(KeyboardHandlerFn handler);
void keyboardHandlerUnregister(KeyboardHandlerFn handler);
void scriptWait(uint32_t milliseconds);
void nativeInit(uint64_t hash);
void nativePush64(uint64_t slot);
uint64_t* nativeCall();
uint64_t* getGlobalPtr(int32_t index);

// What the plug-in offers: the whole body of the DLL entry point, the script
// function and the keyboard handler that the entry registers with the host.
int32_t libraryEntry(void* module, uint32_t reason);
void scriptMain();
void keyboardHandler(uint32_t key, uint16_t repeats, uint8_t scanCode, int32_t flag1, int32_t flag2,
                     int32_t flag3, int32_t flag4);

}  // extern "C"
