#include "loop/gates.h"

#include <cstdint>

#include "game/natives.h"

namespace quillhaven {

namespace {

constexpr uint32_t firstWorkingHour = FirstWorkingHour;
constexpr uint32_t workingHours = LastWorkingHour - FirstWorkingHour + 1;

bool isWorkingHour(int32_t hour) {
  // One unsigned comparison also shuts out negative hours.
  return static_cast<uint32_t>(hour) - firstWorkingHour < workingHours;
}

// The game's law data names a lockdown only for the town the player is in,
// and only while it lasts; either region stops the work.
Gate lockdown() {
  const GameHash region = lockedDownLawRegion();
  if (region == nameHash("LAW_REGION_RHODES_LOCKDOWN")) return Gate::lockdownRhodes;
  if (region == nameHash("LAW_REGION_VALENTINE_LOCKDOWN")) return Gate::lockdownValentine;
  return Gate::open;
}

}  // namespace

GateCheck checkGates() {
  const int32_t hour = clockHour();
  if (!isWorkingHour(hour)) return {Gate::resting, hour};
  if (gateTest(gateSubject())) return {Gate::gateTest, hour};
  if (gateFlag()) return {Gate::gateFlag, hour};
  if (positionGate(entityPosition(playerPed(), 1)) == 0) return {Gate::positionGate, hour};
  return {lockdown(), hour};
}

}  // namespace quillhaven
