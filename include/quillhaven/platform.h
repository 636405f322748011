// The three Windows functions the plug-in uses. On Windows they come from the
// system; elsewhere whoever links the plug-in supplies them (a substitute host).
#pragma once

#include <cstdint>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
extern "C" {
uint32_t GetPrivateProfileIntA(const char* section, const char* key, int32_t defaultValue,
                               const char* fileName);
uint64_t GetTickCount64();
uint32_t GetTickCount();
}
#endif
