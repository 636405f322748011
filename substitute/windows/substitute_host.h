// The substitute ScriptHookRDR2.dll's own interface for test programs.
#pragma once

#include <cstdint>

extern "C" {
__declspec(dllimport) int substituteStartScript();
__declspec(dllimport) void substituteRunWaits(int count);
__declspec(dllimport) int32_t substituteGameTime();
__declspec(dllimport) int substituteWaitCount();
__declspec(dllimport) uint32_t substituteWait(int index);
__declspec(dllimport) int substituteRegistrationCount();
__declspec(dllimport) int substituteRegistration(int index, void** module, void** function);
__declspec(dllimport) void substituteAnswerInt(const char* native, int32_t value);
__declspec(dllimport) void substituteStageTown();
__declspec(dllimport) int substituteCallsNamed(const char* native);
__declspec(dllimport) int substituteCallCount();
__declspec(dllimport) int substituteDescribeCall(int index, char* buffer, int size);
__declspec(dllimport) int substituteRejectionCount();
__declspec(dllimport) int substituteDescribeRejection(int index, char* buffer, int size);
__declspec(dllimport) void substituteResetHost();
__declspec(dllimport) uint64_t substituteTickCount64();
__declspec(dllimport) uint32_t substituteTickCount();
__declspec(dllimport) int substituteRunSeededWorld(uint64_t seed, double hours, int trace,
                                                   void (*write)(const char* text, void* context),
                                                   void* context);
}
