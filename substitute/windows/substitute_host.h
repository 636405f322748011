// The substitute ScriptHookRDR2.dll's own interface for test programs,
// declared once: the DLL defines these functions under this header and exports
// them, the programs import them, so a changed signature fails to compile on
// one side or the other instead of corrupting a call at run time. Only plain
// C data crosses the boundary, as each side has its own C++ runtime.
#pragma once

#include <cstdint>

// Defined while the DLL itself is built (its CMake target's DEFINE_SYMBOL).
#ifdef SUBSTITUTE_HOST_BUILDING_DLL
#define SUBSTITUTE_HOST_API __declspec(dllexport)
#else
#define SUBSTITUTE_HOST_API __declspec(dllimport)
#endif

extern "C" {
SUBSTITUTE_HOST_API int substituteStartScript();
SUBSTITUTE_HOST_API void substituteRunWaits(int count);
SUBSTITUTE_HOST_API int32_t substituteGameTime();
SUBSTITUTE_HOST_API int substituteWaitCount();
SUBSTITUTE_HOST_API uint32_t substituteWait(int index);
SUBSTITUTE_HOST_API int substituteRegistrationCount();
SUBSTITUTE_HOST_API int substituteRegistration(int index, void** module, void** function);
SUBSTITUTE_HOST_API void substituteAnswerInt(const char* native, int32_t value);
SUBSTITUTE_HOST_API void substituteStageTown();
SUBSTITUTE_HOST_API int substituteCallsNamed(const char* native);
SUBSTITUTE_HOST_API int substituteCallCount();
SUBSTITUTE_HOST_API int substituteDescribeCall(int index, char* buffer, int size);
SUBSTITUTE_HOST_API int substituteRejectionCount();
SUBSTITUTE_HOST_API int substituteDescribeRejection(int index, char* buffer, int size);
SUBSTITUTE_HOST_API void substituteResetHost();
SUBSTITUTE_HOST_API uint64_t substituteTickCount64();
SUBSTITUTE_HOST_API uint32_t substituteTickCount();
SUBSTITUTE_HOST_API int substituteRunSeededWorld(uint64_t seed, double hours, int trace,
                                                 void (*write)(const char* text, void* context),
                                                 void* context);
}
