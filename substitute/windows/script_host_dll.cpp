// The substitute ScriptHookRDR2.dll: the substitute host, exported under the
// real host's names (see script_host.def), plus the small C interface of
// substitute_host.h through which a test program drives the script and reads
// what happened.
#include <cstdio>
#include <cstring>
#include <string>

#include "fake_game/town_world.h"
#include "host/script_host.h"
#include "runs/seeded_world.h"
#include "substitute_host.h"

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

// --- the seeded worlds, for quillhaven-dst.exe ---

// Forgets the last plug-in: its registrations, the game's records of it, and
// its script, stack and all.
void substituteResetHost() {
  host().reset();
  host().freeStoppedScripts();
}

// The world's clocks, where the plug-in's imports of GetTickCount64 and
// GetTickCount are pointed.
uint64_t substituteTickCount64() { return host().game.tickCount64; }
uint32_t substituteTickCount() { return host().game.tickCount; }

// Runs the seed's world for `hours` of game time against the plug-in the
// caller has loaded (its script registered), from the current folder, where
// the world's settings file lies. The trace, if asked for, and the report go
// to `write`. Returns 0 for a clean world, 1 for one with violations.
int substituteRunSeededWorld(uint64_t seed, double hours, int trace,
                             void (*write)(const char* text, void* context), void* context) {
  world::SeededWorld seeded(seed);
  return seeded.run(host(), {.hours = hours,
                             .trace = trace != 0,
                             .write = [&](const std::string& text) { write(text.c_str(), context); },
                             .startScript = [](substitute::ScriptHost& script) { script.startScript(); },
                             .tables = nullptr});
}

int substituteRejectionCount() { return static_cast<int>(host().game.rejections.size()); }
int substituteDescribeRejection(int index, char* buffer, int size) {
  return copyText(host().game.rejections.at(static_cast<size_t>(index)), buffer, size);
}

}  // extern "C"
