#include "loop/gates.h"

#include <cstdint>

#include "game/natives.h"

namespace quillhaven {

namespace {

constexpr uint32_t firstWorkingHour = 6;
constexpr uint32_t workingHours = 18;  // 6 to 23

bool isWorkingHour(int32_t hour) {
  // One unsigned comparison also shuts out negative hours.
  return static_cast<uint32_t>(hour) - firstWorkingHour < workingHours;
}

bool townLockedDown() {
  const GameHash region = lockedDownLawRegion();
  // Either lockdown stops the work everywhere, whichever town the player is in.
  if (region == nameHash("LAW_REGION_RHODES_LOCKDOWN")) return true;
  return region == nameHash("LAW_REGION_VALENTINE_LOCKDOWN");
}

}  // namespace

bool visitWorkAllowed() {
  if (!isWorkingHour(clockHour())) return false;
  if (gateTest(gateSubject())) return false;
  if (gateFlag()) return false;
  if (positionGate(entityPosition(playerPed(), 1)) == 0) return false;
  return !townLockedDown();
}

}  // namespace quillhaven
