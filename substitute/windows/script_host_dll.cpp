// The substitute ScriptHookRDR2.dll: the substitute host, exported under the
// real host's names (see script_host.def), plus a small C interface through
// which a test program drives the script and reads what happened. Only plain
// C data crosses the DLL boundary, as each side has its own C++ runtime.
#include <cstdio>
#include <cstring>
#include <string>

#include "game/town_world.h"
#include "host/script_host.h"

using substitute::host;

namespace {

int copyText(const std::string& text, char* buffer, int size) {
  if (size > 0) std::snprintf(buffer, static_cast<size_t>(size), "%s", text.c_str());
  return static_cast<int>(text.size());
}

}  // namespace

extern "C" {

int substituteStartScript() { return host().startScript() ? 1 : 0; }
void substituteRunWaits(int count) { host().runWaits(count); }
int32_t substituteGameTime() { return host().game.gameTime; }

int substituteWaitCount() { return static_cast<int>(host().waits.size()); }
uint32_t substituteWait(int index) { return host().waits.at(static_cast<size_t>(index)); }

int substituteRegistrationCount() { return static_cast<int>(host().registrations.size()); }

// The kind (0 scriptRegister, 1 scriptUnregister, 2 keyboardHandlerRegister,
// 3 keyboardHandlerUnregister), the module handle and the function handed over.
int substituteRegistration(int index, void** module, void** function) {
  const substitute::Registration& registration = host().registrations.at(static_cast<size_t>(index));
  *module = registration.module;
  *function = registration.script != nullptr ? reinterpret_cast<void*>(registration.script)
                                             : reinterpret_cast<void*>(registration.keyboard);
  return static_cast<int>(registration.kind);
}

// The game answers the native with this value from now on.
void substituteAnswerInt(const char* native, int32_t value) { host().game.answerInt(native, value); }

// A town for a whole visit: by day in Valentine, one townsperson (30) beside
// the player, the keepers of Valentine's gunsmith, doctor and general store
// (51 to 53) in their stores and never recruited themselves.
void substituteStageTown() {
  static substitute::TownWorld town;
  town = substitute::TownWorld{};
  town.addPed(30, town.playerPosition);
  const char* keepers[] = {"u_m_m_valgunsmith_01", "u_m_m_valdoctor_01", "u_m_m_valgenstoreowner_01"};
  int32_t handle = 51;
  for (const char* model : keepers) {
    substitute::PedState& keeper = town.addPed(handle++, town.playerPosition);
    keeper.model = substitute::FakeGame::hashName(model);
    keeper.required = false;
  }
  town.install(host().game);
}

int substituteCallsNamed(const char* native) {
  return static_cast<int>(host().game.callsNamed(native).size());
}

int substituteCallCount() { return static_cast<int>(host().game.calls.size()); }
int substituteDescribeCall(int index, char* buffer, int size) {
  return copyText(host().game.calls.at(static_cast<size_t>(index)).describe(), buffer, size);
}

int substituteRejectionCount() { return static_cast<int>(host().game.rejections.size()); }
int substituteDescribeRejection(int index, char* buffer, int size) {
  return copyText(host().game.rejections.at(static_cast<size_t>(index)), buffer, size);
}

}  // extern "C"
